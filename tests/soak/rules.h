#pragma once

#include <optional>
#include <string>
#include <vector>

#include "game/mform.h"
#include "game/phase.h"

namespace zelvane::soak {

// Checks after each event that the window is in a state the game allows and
// got there through the game's own order of phases. The form must draw from
// testing::CoordinateAtlas(), so that every pixel tells where it came from.
class RuleChecker {
 public:
  // Every rule the loaded form now breaks, one line each.
  std::vector<std::string> Check(const Mform& form);

 private:
  std::optional<Phase> phase_;
  bool played_ = false;
};

}  // namespace zelvane::soak

#pragma once

#include <array>
#include <cstdint>

#include "records/high_scores.h"

namespace zelvane {

// A score as the six digits the displays show, with leading zeros. A score that
// needs more than six digits shows kScoreCap: its first six digits would tell
// the player a wrong, smaller score.
inline std::array<int, 6> SixScoreDigits(std::int32_t score) {
  std::int32_t rest = score < 0 ? 0 : (score > kScoreCap ? kScoreCap : score);
  std::array<int, 6> digits{};
  for (int i = 5; i >= 0; --i) {
    digits[static_cast<std::size_t>(i)] = rest % 10;
    rest /= 10;
  }
  return digits;
}

}  // namespace zelvane

#pragma once

#include <span>

#include "synth.h"

namespace zelvane::cues {

struct Recipe {
  const char* file;
  Samples (*mix)();
};

// The nine cues the game plays, each with the mix that makes it.
std::span<const Recipe> Recipes();

}  // namespace zelvane::cues

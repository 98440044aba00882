#pragma once

#include <cstdint>
#include <random>

#include "game/mform.h"

namespace zelvane::soak {

enum class Personality {
  FastTypist,  // reads the wave and types it quickly, rarely wrong
  SlowTypist,  // reads the wave, types slowly and often wrong
  Mistyper,    // only ever presses keys that hit nothing
  KeyMasher,   // Space, keypad 3 and any key at all, at any moment, and the buttons too
};
const char* NameOf(Personality personality);

struct Action {
  enum class Kind { None, Key, Click };
  Kind kind = Kind::None;
  std::int16_t code = 0;  // the key code, or the button index
};

// A player with a seeded hand: what it does depends only on its seed and on
// what the window shows when its moment comes.
class Bot {
 public:
  Bot(Personality personality, std::uint64_t seed);

  Personality Kind() const { return personality_; }
  std::int64_t NextAt() const { return nextAt_; }
  // What to do at NextAt(); also decides when to act next. `waiting` is
  // whether the buttons can be clicked: every bot then presses Start, though
  // the masher may first press a few keys at it.
  Action Act(const Mform& form, bool waiting);

 private:
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(engine_); }
  // The key that hits the wave's first target, or 0 when nothing can be hit.
  static std::int16_t RightKey(const GameState& state);
  std::int16_t WrongKey(const GameState& state);
  Action Type(const GameState& state, double mistakes);
  Action Mash(bool waiting);

  Personality personality_;
  std::mt19937_64 engine_;
  std::int64_t nextAt_ = 0;
};

}  // namespace zelvane::soak

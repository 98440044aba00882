#include "soak/bot.h"

#include <algorithm>

#include "support/form_fixture.h"

namespace zelvane::soak {
namespace {

constexpr std::int16_t kDigit0 = 48;

bool InWave(const GameState& state, std::int16_t code) {
  return std::find(state.slotCode.begin(), state.slotCode.end(), code) != state.slotCode.end();
}

}  // namespace

const char* NameOf(Personality personality) {
  constexpr const char* kNames[] = {"FastTypist", "SlowTypist", "Mistyper", "KeyMasher"};
  return kNames[static_cast<int>(personality)];
}

Bot::Bot(Personality personality, std::uint64_t seed) : personality_(personality), engine_(seed) {}

std::int16_t Bot::RightKey(const GameState& state) {
  for (const std::int16_t code : state.slotCode) {
    if (code >= kLetterA && code <= kLetterZ) return static_cast<std::int16_t>(vk::LetterA + code);
  }
  return InWave(state, ItemBox) ? vk::Space : 0;
}

// A letter that is not in the wave, or a digit; never Space or keypad 3.
std::int16_t Bot::WrongKey(const GameState& state) {
  if (Chance(0.2)) return static_cast<std::int16_t>(kDigit0 + Between(0, 9));
  std::int16_t letter = 0;
  do letter = static_cast<std::int16_t>(Between(kLetterA, kLetterZ));
  while (InWave(state, letter));
  return static_cast<std::int16_t>(vk::LetterA + letter);
}

Action Bot::Type(const GameState& state, double mistakes) {
  const std::int16_t right = RightKey(state);
  if (right == 0) return {};
  return {Action::Kind::Key, Chance(mistakes) ? WrongKey(state) : right};
}

Action Bot::Mash(bool waiting) {
  if (waiting && Chance(0.3)) return {Action::Kind::Click, 0};
  // Out of range, or a button that is disabled: nothing may happen.
  if (!waiting && Chance(0.05)) return {Action::Kind::Click, static_cast<std::int16_t>(Between(-1, 2))};
  const int pick = Between(0, 9);
  if (pick < 3) return {Action::Kind::Key, vk::Space};
  if (pick < 5) return {Action::Kind::Key, vk::Keypad3};
  return {Action::Kind::Key, static_cast<std::int16_t>(Between(0, 255))};
}

Action Bot::Act(const Mform& form, bool waiting) {
  const GameState& state = form.state;
  const bool playing = form.KeyPreview;
  Action action;
  switch (personality_) {
    case Personality::FastTypist:
      nextAt_ += waiting ? Between(100, 400) : Between(70, 180);
      if (waiting) return {Action::Kind::Click, 0};
      if (playing) action = Type(state, 0.01);
      break;
    case Personality::SlowTypist:
      nextAt_ += waiting ? Between(500, 3000) : Between(350, 1100);
      if (waiting) return {Action::Kind::Click, 0};
      if (playing) action = Type(state, 0.08);
      break;
    case Personality::Mistyper:
      nextAt_ += Between(80, 600);
      if (waiting) return {Action::Kind::Click, 0};
      if (playing) action = {Action::Kind::Key, WrongKey(state)};
      break;
    case Personality::KeyMasher:
      // Now and then several presses in the same millisecond.
      nextAt_ += Chance(0.1) ? 0 : Between(1, 250);
      action = Mash(waiting);
      break;
  }
  return action;
}

}  // namespace zelvane::soak

#pragma once

#include <SDL.h>

#include <cstdint>

namespace zelvane {

// The key code the game sees for a key-down: letters by what the key means in
// the active layout (65..90), digits 48..57, keypad digits 96..105 with NumLock
// on, and the usual codes of the other keys; 0 for a key with no code.
std::int16_t VirtualKeyOf(const SDL_Keysym& key);

// Shift 1, Ctrl 2, Alt 4.
std::int16_t ShiftStateOf(Uint16 modifiers);

}  // namespace zelvane

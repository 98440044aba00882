#pragma once

#include <SDL.h>

#include <cstdint>

namespace zelvane {

// The game's 16-bit key code for an SDL key press. Letters and punctuation
// follow what the key means in the active keyboard layout, so an AZERTY
// player's A is 65; keys whose meaning has no code (a Cyrillic letter, an
// accented one) fall back to where they sit on the keyboard. The digit row
// gives its digits in every layout. The keypad gives digits while NumLock is
// on and the navigation keys while it is off. Every key has a code, so that
// in play every press is a hit or a miss: one with no code of its own gets
// the code of unassigned keys, which no slot matches.
std::int16_t VirtualKeyOf(SDL_Keycode key, SDL_Scancode scancode, std::uint16_t modifiers);

// The shift argument of a key press: Shift 1, Ctrl 2, Alt 4.
std::int16_t ShiftMaskOf(std::uint16_t modifiers);

}  // namespace zelvane

#include "platform/virtual_keys.h"

#include <array>

namespace zelvane {
namespace {

struct KeyCode {
  SDL_Keycode sdl;
  std::int16_t code;
};

constexpr KeyCode kKeys[] = {
    {SDLK_BACKSPACE, 8},  {SDLK_TAB, 9},        {SDLK_RETURN, 13},     {SDLK_KP_ENTER, 13},  {SDLK_LSHIFT, 16},
    {SDLK_RSHIFT, 16},    {SDLK_LCTRL, 17},     {SDLK_RCTRL, 17},      {SDLK_LALT, 18},      {SDLK_RALT, 18},
    {SDLK_PAUSE, 19},     {SDLK_CAPSLOCK, 20},  {SDLK_ESCAPE, 27},     {SDLK_SPACE, 32},     {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},  {SDLK_END, 35},       {SDLK_HOME, 36},       {SDLK_LEFT, 37},      {SDLK_UP, 38},
    {SDLK_RIGHT, 39},     {SDLK_DOWN, 40},      {SDLK_INSERT, 45},     {SDLK_DELETE, 46},    {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},  {SDLK_KP_MINUS, 109}, {SDLK_KP_DIVIDE, 111}, {SDLK_NUMLOCKCLEAR, 144},
    {SDLK_SCROLLLOCK, 145}, {SDLK_SEMICOLON, 186}, {SDLK_EQUALS, 187},  {SDLK_COMMA, 188},    {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},   {SDLK_SLASH, 191},    {SDLK_BACKQUOTE, 192}, {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220}, {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222}, {SDLK_F1, 112},      {SDLK_F2, 113},
    {SDLK_F3, 114},       {SDLK_F4, 115},       {SDLK_F5, 116},        {SDLK_F6, 117},       {SDLK_F7, 118},
    {SDLK_F8, 119},       {SDLK_F9, 120},       {SDLK_F10, 121},       {SDLK_F11, 122},      {SDLK_F12, 123},
};

// Keypad keys without NumLock act as the navigation keys printed on them.
constexpr std::array<std::int16_t, 10> kKeypadNavigation{45, 35, 40, 34, 37, 12, 39, 36, 38, 33};

}  // namespace

std::int16_t VirtualKeyOf(const SDL_Keysym& key) {
  const SDL_Keycode sym = key.sym;
  if (sym >= SDLK_a && sym <= SDLK_z) return static_cast<std::int16_t>('A' + (sym - SDLK_a));
  if (sym >= SDLK_0 && sym <= SDLK_9) return static_cast<std::int16_t>('0' + (sym - SDLK_0));
  if (key.scancode >= SDL_SCANCODE_KP_1 && key.scancode <= SDL_SCANCODE_KP_0) {
    // SDL orders the keypad 1..9, 0.
    const int digit = key.scancode == SDL_SCANCODE_KP_0 ? 0 : key.scancode - SDL_SCANCODE_KP_1 + 1;
    const bool numLock = (key.mod & KMOD_NUM) != 0;
    return numLock ? static_cast<std::int16_t>(96 + digit) : kKeypadNavigation[static_cast<std::size_t>(digit)];
  }
  if (key.scancode == SDL_SCANCODE_KP_PERIOD) return (key.mod & KMOD_NUM) ? 110 : 46;
  for (const KeyCode& entry : kKeys) {
    if (entry.sdl == sym) return entry.code;
  }
  return 0;
}

std::int16_t ShiftStateOf(Uint16 modifiers) {
  return static_cast<std::int16_t>(((modifiers & KMOD_SHIFT) ? 1 : 0) | ((modifiers & KMOD_CTRL) ? 2 : 0) |
                                   ((modifiers & KMOD_ALT) ? 4 : 0));
}

}  // namespace zelvane

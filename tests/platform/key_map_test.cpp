#include "platform/key_map.h"

#include <gtest/gtest.h>

namespace zelvane {
namespace {

struct KeyCase {
  const char* what;
  SDL_Keycode key;
  SDL_Scancode scancode;
  std::uint16_t modifiers;
  std::int16_t expected;
};

constexpr SDL_Keycode kCyrillicEf = 0x0444;
constexpr SDL_Keycode kEGrave = 0xE8;

const KeyCase kCases[] = {
    {"a letter", SDLK_a, SDL_SCANCODE_A, KMOD_NONE, 65},
    {"Z", SDLK_z, SDL_SCANCODE_Z, KMOD_NONE, 90},
    {"a shifted letter keeps its code", SDLK_q, SDL_SCANCODE_Q, KMOD_LSHIFT, 81},
    {"AZERTY: the key in QWERTY's Q place means A", SDLK_a, SDL_SCANCODE_Q, KMOD_NONE, 65},
    {"AZERTY: the key in QWERTY's A place means Q", SDLK_q, SDL_SCANCODE_A, KMOD_NONE, 81},
    {"AZERTY: M right of L", SDLK_m, SDL_SCANCODE_SEMICOLON, KMOD_NONE, 77},
    {"AZERTY: the comma where QWERTY has M", SDLK_COMMA, SDL_SCANCODE_M, KMOD_NONE, 188},
    {"a Cyrillic letter goes by its place", kCyrillicEf, SDL_SCANCODE_A, KMOD_NONE, 65},
    {"digit row", SDLK_3, SDL_SCANCODE_3, KMOD_NONE, 51},
    {"digit row 0", SDLK_0, SDL_SCANCODE_0, KMOD_NONE, 48},
    {"AZERTY digit row: the quote key is 4", SDLK_QUOTE, SDL_SCANCODE_4, KMOD_NONE, 52},
    {"AZERTY digit row: e grave is 7", kEGrave, SDL_SCANCODE_7, KMOD_NONE, 55},
    {"keypad 3, NumLock on", SDLK_KP_3, SDL_SCANCODE_KP_3, KMOD_NUM, 99},
    {"keypad 0, NumLock on", SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NUM, 96},
    {"keypad 9, NumLock on", SDLK_KP_9, SDL_SCANCODE_KP_9, KMOD_NUM, 105},
    {"keypad 3, NumLock off: Page Down", SDLK_KP_3, SDL_SCANCODE_KP_3, KMOD_NONE, 34},
    {"keypad 0, NumLock off: Insert", SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NONE, 45},
    {"keypad 1, NumLock off: End", SDLK_KP_1, SDL_SCANCODE_KP_1, KMOD_NONE, 35},
    {"keypad 5, NumLock off: Clear", SDLK_KP_5, SDL_SCANCODE_KP_5, KMOD_NONE, 12},
    {"keypad 7, NumLock off: Home", SDLK_KP_7, SDL_SCANCODE_KP_7, KMOD_NONE, 36},
    {"keypad 8, NumLock off: Up", SDLK_KP_8, SDL_SCANCODE_KP_8, KMOD_NONE, 38},
    {"keypad point, NumLock on", SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NUM, 110},
    {"keypad point, NumLock off: Delete", SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NONE, 46},
    {"keypad Enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_NONE, 13},
    {"keypad *", SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, KMOD_NONE, 106},
    {"keypad +", SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, KMOD_NONE, 107},
    {"keypad -", SDLK_KP_MINUS, SDL_SCANCODE_KP_MINUS, KMOD_NONE, 109},
    {"keypad /", SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, KMOD_NUM, 111},
    {"Space", SDLK_SPACE, SDL_SCANCODE_SPACE, KMOD_NONE, 32},
    {"Enter", SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_NONE, 13},
    {"Backspace", SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, KMOD_NONE, 8},
    {"Tab", SDLK_TAB, SDL_SCANCODE_TAB, KMOD_NONE, 9},
    {"left Shift", SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT, 16},
    {"right Shift", SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, KMOD_RSHIFT, 16},
    {"right Ctrl", SDLK_RCTRL, SDL_SCANCODE_RCTRL, KMOD_RCTRL, 17},
    {"AltGr", SDLK_RALT, SDL_SCANCODE_RALT, KMOD_RALT, 18},
    {"Pause", SDLK_PAUSE, SDL_SCANCODE_PAUSE, KMOD_NONE, 19},
    {"Caps Lock", SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK, KMOD_NONE, 20},
    {"Esc", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, KMOD_NONE, 27},
    {"Page Up", SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, KMOD_NONE, 33},
    {"Page Down", SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, KMOD_NONE, 34},
    {"End", SDLK_END, SDL_SCANCODE_END, KMOD_NONE, 35},
    {"Home", SDLK_HOME, SDL_SCANCODE_HOME, KMOD_NONE, 36},
    {"Left", SDLK_LEFT, SDL_SCANCODE_LEFT, KMOD_NONE, 37},
    {"Up", SDLK_UP, SDL_SCANCODE_UP, KMOD_NONE, 38},
    {"Right", SDLK_RIGHT, SDL_SCANCODE_RIGHT, KMOD_NONE, 39},
    {"Down", SDLK_DOWN, SDL_SCANCODE_DOWN, KMOD_NONE, 40},
    {"Insert", SDLK_INSERT, SDL_SCANCODE_INSERT, KMOD_NONE, 45},
    {"Delete", SDLK_DELETE, SDL_SCANCODE_DELETE, KMOD_NONE, 46},
    {"F1", SDLK_F1, SDL_SCANCODE_F1, KMOD_NONE, 112},
    {"F12", SDLK_F12, SDL_SCANCODE_F12, KMOD_NONE, 123},
    {"Num Lock", SDLK_NUMLOCKCLEAR, SDL_SCANCODE_NUMLOCKCLEAR, KMOD_NUM, 144},
    {"Scroll Lock", SDLK_SCROLLLOCK, SDL_SCANCODE_SCROLLLOCK, KMOD_NONE, 145},
    {";", SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, KMOD_NONE, 186},
    {"=", SDLK_EQUALS, SDL_SCANCODE_EQUALS, KMOD_NONE, 187},
    {",", SDLK_COMMA, SDL_SCANCODE_COMMA, KMOD_NONE, 188},
    {"-", SDLK_MINUS, SDL_SCANCODE_MINUS, KMOD_NONE, 189},
    {".", SDLK_PERIOD, SDL_SCANCODE_PERIOD, KMOD_NONE, 190},
    {"/", SDLK_SLASH, SDL_SCANCODE_SLASH, KMOD_NONE, 191},
    {"`", SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, KMOD_NONE, 192},
    {"[", SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, KMOD_NONE, 219},
    {"backslash", SDLK_BACKSLASH, SDL_SCANCODE_BACKSLASH, KMOD_NONE, 220},
    {"]", SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, KMOD_NONE, 221},
    {"'", SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, KMOD_NONE, 222},
    {"a dead circumflex goes by its place", SDLK_CARET, SDL_SCANCODE_LEFTBRACKET, KMOD_NONE, 219},
    {"the key beside left Shift", SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH, KMOD_NONE, 226},
    {"F13", SDLK_F13, SDL_SCANCODE_F13, KMOD_NONE, 124},
    {"F24", SDLK_F24, SDL_SCANCODE_F24, KMOD_NONE, 135},
    {"keypad =", SDLK_KP_EQUALS, SDL_SCANCODE_KP_EQUALS, KMOD_NUM, 146},
    {"keypad = with NumLock off", SDLK_KP_EQUALS, SDL_SCANCODE_KP_EQUALS, KMOD_NONE, 146},
    {"the Brazilian keypad point", SDLK_KP_COMMA, SDL_SCANCODE_KP_COMMA, KMOD_NUM, 194},
    {"AltGr as a mode switch", SDLK_MODE, SDL_SCANCODE_MODE, KMOD_MODE, 18},
    {"AltGr's mode switch on the right Alt key", SDLK_MODE, SDL_SCANCODE_RALT, KMOD_MODE, 18},
    {"Help", SDLK_HELP, SDL_SCANCODE_HELP, KMOD_NONE, 47},
    {"Sleep", SDLK_SLEEP, SDL_SCANCODE_SLEEP, KMOD_NONE, 95},
    {"browser Back", SDLK_AC_BACK, SDL_SCANCODE_AC_BACK, KMOD_NONE, 166},
    {"browser Home", SDLK_AC_HOME, SDL_SCANCODE_AC_HOME, KMOD_NONE, 172},
    {"Mute", SDLK_AUDIOMUTE, SDL_SCANCODE_AUDIOMUTE, KMOD_NONE, 173},
    {"Volume Up", SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, KMOD_NONE, 175},
    {"Next Track", SDLK_AUDIONEXT, SDL_SCANCODE_AUDIONEXT, KMOD_NONE, 176},
    {"Play/Pause", SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY, KMOD_NONE, 179},
    {"Mail", SDLK_MAIL, SDL_SCANCODE_MAIL, KMOD_NONE, 180},
    {"Calculator", SDLK_CALCULATOR, SDL_SCANCODE_CALCULATOR, KMOD_NONE, 183},
    {"Henkan", SDL_SCANCODE_TO_KEYCODE(SDL_SCANCODE_INTERNATIONAL4), SDL_SCANCODE_INTERNATIONAL4, KMOD_NONE, 28},
    {"Muhenkan", SDL_SCANCODE_TO_KEYCODE(SDL_SCANCODE_INTERNATIONAL5), SDL_SCANCODE_INTERNATIONAL5, KMOD_NONE, 29},
    {"Katakana/Hiragana", SDL_SCANCODE_TO_KEYCODE(SDL_SCANCODE_INTERNATIONAL2), SDL_SCANCODE_INTERNATIONAL2, KMOD_NONE,
     242},
    {"Ro with no sign of its own", SDL_SCANCODE_TO_KEYCODE(SDL_SCANCODE_INTERNATIONAL1), SDL_SCANCODE_INTERNATIONAL1,
     KMOD_NONE, 226},
    {"Yen, its backslash meant", SDLK_BACKSLASH, SDL_SCANCODE_INTERNATIONAL3, KMOD_NONE, 220},
    {"Hangul", SDL_SCANCODE_TO_KEYCODE(SDL_SCANCODE_LANG1), SDL_SCANCODE_LANG1, KMOD_NONE, 21},
    {"Hanja", SDL_SCANCODE_TO_KEYCODE(SDL_SCANCODE_LANG2), SDL_SCANCODE_LANG2, KMOD_NONE, 25},
    {"a key with no code of its own", SDLK_KP_HEXADECIMAL, SDL_SCANCODE_KP_HEXADECIMAL, KMOD_NONE, 255},
    {"a key SDL does not know", SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, KMOD_NONE, 255},
    {"Eject, which has no code", SDLK_EJECT, SDL_SCANCODE_EJECT, KMOD_NONE, 255},
};

TEST(KeyMapTest, EveryKeyGetsItsCode) {
  for (const KeyCase& c : kCases) {
    EXPECT_EQ(VirtualKeyOf(c.key, c.scancode, c.modifiers), c.expected) << c.what;
  }
}

TEST(KeyMapTest, ModifiersBecomeTheShiftMask) {
  const std::pair<std::uint16_t, std::int16_t> cases[] = {
      {KMOD_NONE, 0},
      {KMOD_LSHIFT, 1},
      {KMOD_RSHIFT, 1},
      {KMOD_LCTRL, 2},
      {KMOD_RCTRL, 2},
      {KMOD_LALT, 4},
      {KMOD_RALT, 4},
      {KMOD_LSHIFT | KMOD_RCTRL | KMOD_LALT, 7},
      {KMOD_NUM | KMOD_CAPS | KMOD_GUI, 0},
  };
  for (const auto& [modifiers, mask] : cases) EXPECT_EQ(ShiftMaskOf(modifiers), mask) << "modifiers " << modifiers;
}

}  // namespace
}  // namespace zelvane

#include "platform/key_map.h"

#include <array>
#include <utility>

#include "screen/virtual_keys.h"

namespace zelvane {
namespace {

// Keys known by what they mean.
constexpr std::pair<SDL_Keycode, std::int16_t> kByMeaning[] = {
    {SDLK_SPACE, vk::Space},
    {SDLK_RETURN, vk::Enter},
    {SDLK_BACKSPACE, vk::Backspace},
    {SDLK_TAB, vk::Tab},
    {SDLK_ESCAPE, vk::Escape},
    {SDLK_LSHIFT, vk::Shift},
    {SDLK_RSHIFT, vk::Shift},
    {SDLK_LCTRL, vk::Control},
    {SDLK_RCTRL, vk::Control},
    {SDLK_LALT, vk::Alt},
    {SDLK_RALT, vk::Alt},
    // AltGr where the layout sends it as a mode switch.
    {SDLK_MODE, vk::Alt},
    {SDLK_PAUSE, vk::Pause},
    {SDLK_CAPSLOCK, vk::CapsLock},
    {SDLK_PAGEUP, vk::PageUp},
    {SDLK_PAGEDOWN, vk::PageDown},
    {SDLK_END, vk::End},
    {SDLK_HOME, vk::Home},
    {SDLK_LEFT, vk::Left},
    {SDLK_UP, vk::Up},
    {SDLK_RIGHT, vk::Right},
    {SDLK_DOWN, vk::Down},
    {SDLK_PRINTSCREEN, vk::PrintScreen},
    {SDLK_INSERT, vk::Insert},
    {SDLK_DELETE, vk::Delete},
    {SDLK_LGUI, vk::LeftWindows},
    {SDLK_RGUI, vk::RightWindows},
    {SDLK_APPLICATION, vk::Menu},
    {SDLK_NUMLOCKCLEAR, vk::NumLock},
    {SDLK_SCROLLLOCK, vk::ScrollLock},
    {SDLK_SEMICOLON, vk::OemSemicolon},
    {SDLK_EQUALS, vk::OemPlus},
    {SDLK_COMMA, vk::OemComma},
    {SDLK_MINUS, vk::OemMinus},
    {SDLK_PERIOD, vk::OemPeriod},
    {SDLK_SLASH, vk::OemSlash},
    {SDLK_BACKQUOTE, vk::OemBackquote},
    {SDLK_LEFTBRACKET, vk::OemOpenBracket},
    {SDLK_BACKSLASH, vk::OemBackslash},
    {SDLK_RIGHTBRACKET, vk::OemCloseBracket},
    {SDLK_QUOTE, vk::OemQuote},
};

// Punctuation keys known by where they sit, for layouts that put other signs on them.
constexpr std::pair<SDL_Scancode, std::int16_t> kByPlace[] = {
    {SDL_SCANCODE_SEMICOLON, vk::OemSemicolon}, {SDL_SCANCODE_EQUALS, vk::OemPlus},
    {SDL_SCANCODE_COMMA, vk::OemComma},         {SDL_SCANCODE_MINUS, vk::OemMinus},
    {SDL_SCANCODE_PERIOD, vk::OemPeriod},       {SDL_SCANCODE_SLASH, vk::OemSlash},
    {SDL_SCANCODE_GRAVE, vk::OemBackquote},     {SDL_SCANCODE_LEFTBRACKET, vk::OemOpenBracket},
    {SDL_SCANCODE_BACKSLASH, vk::OemBackslash}, {SDL_SCANCODE_RIGHTBRACKET, vk::OemCloseBracket},
    {SDL_SCANCODE_APOSTROPHE, vk::OemQuote},    {SDL_SCANCODE_NONUSBACKSLASH, vk::Oem102},
};

// Keys beyond the typing block that mean the same in every layout, known by
// where they sit, with the codes the same keys have on the game's own platform.
constexpr std::pair<SDL_Scancode, std::int16_t> kBeyondTyping[] = {
    {SDL_SCANCODE_MODE, vk::Alt},
    {SDL_SCANCODE_CANCEL, vk::Cancel},
    {SDL_SCANCODE_CLEAR, vk::Clear},
    {SDL_SCANCODE_RETURN2, vk::Enter},
    {SDL_SCANCODE_PRIOR, vk::PageUp},
    {SDL_SCANCODE_SELECT, vk::Select},
    {SDL_SCANCODE_EXECUTE, vk::Execute},
    {SDL_SCANCODE_SYSREQ, vk::PrintScreen},
    {SDL_SCANCODE_HELP, vk::Help},
    {SDL_SCANCODE_SLEEP, vk::Sleep},
    {SDL_SCANCODE_SEPARATOR, vk::Separator},
    {SDL_SCANCODE_AC_BACK, vk::BrowserBack},
    {SDL_SCANCODE_AC_FORWARD, vk::BrowserForward},
    {SDL_SCANCODE_AC_REFRESH, vk::BrowserRefresh},
    {SDL_SCANCODE_AC_STOP, vk::BrowserStop},
    {SDL_SCANCODE_AC_SEARCH, vk::BrowserSearch},
    {SDL_SCANCODE_AC_BOOKMARKS, vk::BrowserFavorites},
    {SDL_SCANCODE_AC_HOME, vk::BrowserHome},
    {SDL_SCANCODE_MUTE, vk::VolumeMute},
    {SDL_SCANCODE_AUDIOMUTE, vk::VolumeMute},
    {SDL_SCANCODE_VOLUMEDOWN, vk::VolumeDown},
    {SDL_SCANCODE_VOLUMEUP, vk::VolumeUp},
    {SDL_SCANCODE_AUDIONEXT, vk::MediaNextTrack},
    {SDL_SCANCODE_AUDIOPREV, vk::MediaPreviousTrack},
    {SDL_SCANCODE_AUDIOSTOP, vk::MediaStop},
    {SDL_SCANCODE_AUDIOPLAY, vk::MediaPlayPause},
    {SDL_SCANCODE_MAIL, vk::LaunchMail},
    {SDL_SCANCODE_MEDIASELECT, vk::LaunchMediaSelect},
    {SDL_SCANCODE_COMPUTER, vk::LaunchApp1},
    {SDL_SCANCODE_APP1, vk::LaunchApp1},
    {SDL_SCANCODE_CALCULATOR, vk::LaunchApp2},
    {SDL_SCANCODE_APP2, vk::LaunchApp2},
    {SDL_SCANCODE_CRSEL, vk::CrSel},
    {SDL_SCANCODE_EXSEL, vk::ExSel},
    // Japanese keyboards: Ro, Katakana/Hiragana, Yen, Henkan, Muhenkan,
    // Katakana, Hiragana, Zenkaku/Hankaku.
    {SDL_SCANCODE_INTERNATIONAL1, vk::Oem102},
    {SDL_SCANCODE_INTERNATIONAL2, vk::DbeHiragana},
    {SDL_SCANCODE_INTERNATIONAL3, vk::OemBackslash},
    {SDL_SCANCODE_INTERNATIONAL4, vk::Convert},
    {SDL_SCANCODE_INTERNATIONAL5, vk::NonConvert},
    {SDL_SCANCODE_LANG3, vk::DbeKatakana},
    {SDL_SCANCODE_LANG4, vk::DbeHiragana},
    {SDL_SCANCODE_LANG5, vk::DbeSbcsChar},
    // Korean keyboards: Hangul, Hanja.
    {SDL_SCANCODE_LANG1, vk::Kana},
    {SDL_SCANCODE_LANG2, vk::Hanja},
};

// The keypad digits 0..9 with NumLock off.
constexpr std::int16_t kKeypadNavigation[] = {vk::Insert, vk::End,   vk::Down, vk::PageDown, vk::Left,
                                              vk::Clear,  vk::Right, vk::Home, vk::Up,       vk::PageUp};

std::int16_t Code(int value) { return static_cast<std::int16_t>(value); }

std::int16_t KeypadKey(SDL_Scancode scancode, bool numLock) {
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_0) {
    // SDL orders the keypad digits 1..9, then 0.
    const int digit = (scancode - SDL_SCANCODE_KP_1 + 1) % 10;
    return numLock ? Code(vk::Keypad0 + digit) : kKeypadNavigation[digit];
  }
  switch (scancode) {
    case SDL_SCANCODE_KP_PERIOD:
      return numLock ? vk::KeypadDecimal : vk::Delete;
    case SDL_SCANCODE_KP_ENTER:
      return vk::Enter;
    case SDL_SCANCODE_KP_DIVIDE:
      return vk::KeypadDivide;
    case SDL_SCANCODE_KP_MULTIPLY:
      return vk::KeypadMultiply;
    case SDL_SCANCODE_KP_MINUS:
      return vk::KeypadSubtract;
    case SDL_SCANCODE_KP_PLUS:
      return vk::KeypadAdd;
    case SDL_SCANCODE_KP_EQUALS:
    case SDL_SCANCODE_KP_EQUALSAS400:
      return vk::KeypadEquals;
    case SDL_SCANCODE_KP_COMMA:
      return vk::AbntC2;
    default:
      return 0;
  }
}

std::int16_t KeyByMeaning(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return Code(vk::LetterA + (key - SDLK_a));
  if (key >= SDLK_F1 && key <= SDLK_F12) return Code(vk::F1 + (key - SDLK_F1));
  if (key >= SDLK_F13 && key <= SDLK_F24) return Code(vk::F1 + 12 + (key - SDLK_F13));
  for (const auto& [known, code] : kByMeaning) {
    if (known == key) return code;
  }
  return 0;
}

// The digit row gives its digits in every layout, whatever signs it carries unshifted.
std::int16_t DigitRowKey(SDL_Scancode scancode) {
  if (scancode < SDL_SCANCODE_1 || scancode > SDL_SCANCODE_0) return 0;
  // SDL orders the row 1..9, then 0.
  return Code(vk::Digit0 + (scancode - SDL_SCANCODE_1 + 1) % 10);
}

std::int16_t KeyByPlace(SDL_Scancode scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return Code(vk::LetterA + (scancode - SDL_SCANCODE_A));
  for (const auto& [known, code] : kByPlace) {
    if (known == scancode) return code;
  }
  for (const auto& [known, code] : kBeyondTyping) {
    if (known == scancode) return code;
  }
  return 0;
}

}  // namespace

std::int16_t VirtualKeyOf(SDL_Keycode key, SDL_Scancode scancode, std::uint16_t modifiers) {
  // The keypad means the same in every layout; only NumLock changes it.
  if (const std::int16_t keypad = KeypadKey(scancode, (modifiers & KMOD_NUM) != 0)) return keypad;
  if (const std::int16_t digit = DigitRowKey(scancode)) return digit;
  if (const std::int16_t meant = KeyByMeaning(key)) return meant;
  if (const std::int16_t placed = KeyByPlace(scancode)) return placed;
  return vk::Unassigned;
}

std::int16_t ShiftMaskOf(std::uint16_t modifiers) {
  std::int16_t mask = 0;
  if (modifiers & KMOD_SHIFT) mask |= vk::ShiftMask;
  if (modifiers & KMOD_CTRL) mask |= vk::CtrlMask;
  if (modifiers & KMOD_ALT) mask |= vk::AltMask;
  return mask;
}

}  // namespace zelvane

#pragma once

#include <cstdint>

// The 16-bit key codes the game and the buttons understand, and the shift mask
// that comes with each key press.
namespace zelvane::vk {

inline constexpr std::int16_t Backspace = 8;
inline constexpr std::int16_t Tab = 9;
inline constexpr std::int16_t Clear = 12;
inline constexpr std::int16_t Enter = 13;
inline constexpr std::int16_t Shift = 16;
inline constexpr std::int16_t Control = 17;
inline constexpr std::int16_t Alt = 18;
inline constexpr std::int16_t Pause = 19;
inline constexpr std::int16_t CapsLock = 20;
inline constexpr std::int16_t Escape = 27;
inline constexpr std::int16_t Space = 32;
inline constexpr std::int16_t PageUp = 33;
inline constexpr std::int16_t PageDown = 34;
inline constexpr std::int16_t End = 35;
inline constexpr std::int16_t Home = 36;
inline constexpr std::int16_t Left = 37;
inline constexpr std::int16_t Up = 38;
inline constexpr std::int16_t Right = 39;
inline constexpr std::int16_t Down = 40;
inline constexpr std::int16_t PrintScreen = 44;
inline constexpr std::int16_t Insert = 45;
inline constexpr std::int16_t Delete = 46;
inline constexpr std::int16_t Digit0 = 48;
inline constexpr std::int16_t LetterA = 65;
inline constexpr std::int16_t LeftWindows = 91;
inline constexpr std::int16_t RightWindows = 92;
inline constexpr std::int16_t Menu = 93;
inline constexpr std::int16_t Keypad0 = 96;
inline constexpr std::int16_t Keypad3 = 99;
inline constexpr std::int16_t KeypadMultiply = 106;
inline constexpr std::int16_t KeypadAdd = 107;
inline constexpr std::int16_t KeypadSubtract = 109;
inline constexpr std::int16_t KeypadDecimal = 110;
inline constexpr std::int16_t KeypadDivide = 111;
inline constexpr std::int16_t F1 = 112;
inline constexpr std::int16_t NumLock = 144;
inline constexpr std::int16_t ScrollLock = 145;
inline constexpr std::int16_t OemSemicolon = 186;
inline constexpr std::int16_t OemPlus = 187;
inline constexpr std::int16_t OemComma = 188;
inline constexpr std::int16_t OemMinus = 189;
inline constexpr std::int16_t OemPeriod = 190;
inline constexpr std::int16_t OemSlash = 191;
inline constexpr std::int16_t OemBackquote = 192;
inline constexpr std::int16_t OemOpenBracket = 219;
inline constexpr std::int16_t OemBackslash = 220;
inline constexpr std::int16_t OemCloseBracket = 221;
inline constexpr std::int16_t OemQuote = 222;
inline constexpr std::int16_t Oem102 = 226;

// Bits of the shift argument of a key press.
inline constexpr std::int16_t ShiftMask = 1;
inline constexpr std::int16_t CtrlMask = 2;
inline constexpr std::int16_t AltMask = 4;

}  // namespace zelvane::vk

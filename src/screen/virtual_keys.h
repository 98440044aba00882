#pragma once

#include <cstdint>

// The 16-bit key codes the game and the buttons understand, and the shift mask
// that comes with each key press.
namespace zelvane::vk {

inline constexpr std::int16_t Cancel = 3;
inline constexpr std::int16_t Backspace = 8;
inline constexpr std::int16_t Tab = 9;
inline constexpr std::int16_t Clear = 12;
inline constexpr std::int16_t Enter = 13;
inline constexpr std::int16_t Shift = 16;
inline constexpr std::int16_t Control = 17;
inline constexpr std::int16_t Alt = 18;
inline constexpr std::int16_t Pause = 19;
inline constexpr std::int16_t CapsLock = 20;
// Hangul on Korean keyboards.
inline constexpr std::int16_t Kana = 21;
inline constexpr std::int16_t Hanja = 25;
inline constexpr std::int16_t Escape = 27;
// Henkan and Muhenkan on Japanese keyboards.
inline constexpr std::int16_t Convert = 28;
inline constexpr std::int16_t NonConvert = 29;
inline constexpr std::int16_t Space = 32;
inline constexpr std::int16_t PageUp = 33;
inline constexpr std::int16_t PageDown = 34;
inline constexpr std::int16_t End = 35;
inline constexpr std::int16_t Home = 36;
inline constexpr std::int16_t Left = 37;
inline constexpr std::int16_t Up = 38;
inline constexpr std::int16_t Right = 39;
inline constexpr std::int16_t Down = 40;
inline constexpr std::int16_t Select = 41;
inline constexpr std::int16_t Execute = 43;
inline constexpr std::int16_t PrintScreen = 44;
inline constexpr std::int16_t Insert = 45;
inline constexpr std::int16_t Delete = 46;
inline constexpr std::int16_t Help = 47;
inline constexpr std::int16_t Digit0 = 48;
inline constexpr std::int16_t LetterA = 65;
inline constexpr std::int16_t LeftWindows = 91;
inline constexpr std::int16_t RightWindows = 92;
inline constexpr std::int16_t Menu = 93;
inline constexpr std::int16_t Sleep = 95;
inline constexpr std::int16_t Keypad0 = 96;
inline constexpr std::int16_t Keypad3 = 99;
inline constexpr std::int16_t KeypadMultiply = 106;
inline constexpr std::int16_t KeypadAdd = 107;
inline constexpr std::int16_t Separator = 108;
inline constexpr std::int16_t KeypadSubtract = 109;
inline constexpr std::int16_t KeypadDecimal = 110;
inline constexpr std::int16_t KeypadDivide = 111;
// F1 to F24 follow one another.
inline constexpr std::int16_t F1 = 112;
inline constexpr std::int16_t NumLock = 144;
inline constexpr std::int16_t ScrollLock = 145;
// The keypad's "=".
inline constexpr std::int16_t KeypadEquals = 146;
inline constexpr std::int16_t BrowserBack = 166;
inline constexpr std::int16_t BrowserForward = 167;
inline constexpr std::int16_t BrowserRefresh = 168;
inline constexpr std::int16_t BrowserStop = 169;
inline constexpr std::int16_t BrowserSearch = 170;
inline constexpr std::int16_t BrowserFavorites = 171;
inline constexpr std::int16_t BrowserHome = 172;
inline constexpr std::int16_t VolumeMute = 173;
inline constexpr std::int16_t VolumeDown = 174;
inline constexpr std::int16_t VolumeUp = 175;
inline constexpr std::int16_t MediaNextTrack = 176;
inline constexpr std::int16_t MediaPreviousTrack = 177;
inline constexpr std::int16_t MediaStop = 178;
inline constexpr std::int16_t MediaPlayPause = 179;
inline constexpr std::int16_t LaunchMail = 180;
inline constexpr std::int16_t LaunchMediaSelect = 181;
inline constexpr std::int16_t LaunchApp1 = 182;
inline constexpr std::int16_t LaunchApp2 = 183;
inline constexpr std::int16_t OemSemicolon = 186;
inline constexpr std::int16_t OemPlus = 187;
inline constexpr std::int16_t OemComma = 188;
inline constexpr std::int16_t OemMinus = 189;
inline constexpr std::int16_t OemPeriod = 190;
inline constexpr std::int16_t OemSlash = 191;
inline constexpr std::int16_t OemBackquote = 192;
// The keypad's "." beside its "+" on Brazilian keyboards.
inline constexpr std::int16_t AbntC2 = 194;
inline constexpr std::int16_t OemOpenBracket = 219;
inline constexpr std::int16_t OemBackslash = 220;
inline constexpr std::int16_t OemCloseBracket = 221;
inline constexpr std::int16_t OemQuote = 222;
inline constexpr std::int16_t Oem102 = 226;
// Katakana, Hiragana (the Katakana/Hiragana key) and Hankaku of Japanese keyboards.
inline constexpr std::int16_t DbeKatakana = 241;
inline constexpr std::int16_t DbeHiragana = 242;
inline constexpr std::int16_t DbeSbcsChar = 243;
inline constexpr std::int16_t CrSel = 247;
inline constexpr std::int16_t ExSel = 248;
// Every key with no code of its own. No slot holds it, so in play it is a miss.
inline constexpr std::int16_t Unassigned = 255;

// Bits of the shift argument of a key press.
inline constexpr std::int16_t ShiftMask = 1;
inline constexpr std::int16_t CtrlMask = 2;
inline constexpr std::int16_t AltMask = 4;

}  // namespace zelvane::vk

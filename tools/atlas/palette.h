#pragma once

#include "canvas.h"

// The game's colours. Tile faces carry the keyboard row of their letter.
namespace zelvane::art::palette {

enum class KeyRow { kTop, kHome, kBottom };

// The keyboard row of a capital letter 'A'..'Z'.
constexpr KeyRow RowOf(char letter) {
  switch (letter) {
    case 'E':
    case 'I':
    case 'O':
    case 'P':
    case 'Q':
    case 'R':
    case 'T':
    case 'U':
    case 'W':
    case 'Y':
      return KeyRow::kTop;
    case 'B':
    case 'C':
    case 'M':
    case 'N':
    case 'V':
    case 'X':
    case 'Z':
      return KeyRow::kBottom;
    default:
      return KeyRow::kHome;
  }
}

constexpr Colour Face(KeyRow row) {
  switch (row) {
    case KeyRow::kTop:
      return {255, 74, 66};
    case KeyRow::kHome:
      return {0, 140, 33};
    case KeyRow::kBottom:
      return {49, 49, 255};
  }
  return kBlack;
}

// Armoured letters wear a muted version of their row's colour.
constexpr Colour ArmouredFace(KeyRow row) {
  switch (row) {
    case KeyRow::kTop:
      return {206, 173, 165};
    case KeyRow::kHome:
      return {66, 99, 74};
    case KeyRow::kBottom:
      return {165, 165, 198};
  }
  return kBlack;
}

inline constexpr Colour kLandedFace{82, 82, 82};

struct Gradient {
  Colour top;
  Colour bottom;
};

// Item faces, for codes 95 (bonus), 96 (slow), 97 (reset) and 98 (the closed box).
inline constexpr Gradient kItemFaces[] = {
    {{0, 255, 255}, {0, 0, 255}},
    {{255, 255, 255}, {255, 0, 0}},
    {{255, 255, 255}, {0, 160, 0}},
    {{96, 96, 96}, {0, 0, 0}},
};

// The bevelled frame: lit from the top left.
inline constexpr Colour kFrameLight{222, 222, 222};
inline constexpr Colour kFrameMid{170, 170, 170};
inline constexpr Colour kFrameShade{110, 110, 110};
inline constexpr Colour kFrameDark{62, 62, 62};
inline constexpr Colour kMarkRed{255, 30, 30};
inline constexpr Colour kMarkBlue{40, 80, 255};

inline constexpr Colour kLetterInk = kWhite;
inline constexpr Colour kLetterOutline{24, 24, 32};

inline constexpr Colour kWarningRed{255, 0, 0};

}  // namespace zelvane::art::palette

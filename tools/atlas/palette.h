#pragma once

#include <cstdint>

#include "canvas.h"
#include "records/keyboard_rows.h"

// The game's colours. Tile faces carry the keyboard row of their letter
// (records/keyboard_rows.h).
namespace zelvane::art::palette {

constexpr Colour Face(std::int16_t row) {
  switch (row) {
    case RowTop:
      return {255, 74, 66};
    case RowHome:
      return {0, 140, 33};
    case RowBottom:
      return {49, 49, 255};
  }
  return kBlack;
}

// Armoured letters wear a muted version of their row's colour.
constexpr Colour ArmouredFace(std::int16_t row) {
  switch (row) {
    case RowTop:
      return {206, 173, 165};
    case RowHome:
      return {66, 99, 74};
    case RowBottom:
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

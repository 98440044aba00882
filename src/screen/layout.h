#pragma once

#include "screen/image.h"
#include "screen/playfield.h"

namespace zelvane::layout {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidth = 475;
inline constexpr int kClientHeight = 336;

// Where each panel's drawing area sits in the client area, and its size.
// Mpc has a 2-pixel frame around its drawing area; the other panels have none.
inline constexpr int kMpcFrame = 2;
inline constexpr Rect kMpc{16 + kMpcFrame, 16 + kMpcFrame, kPlayfieldWidth, kPlayfieldHeight};
inline constexpr Rect kSCpc{184, 24, 128, 38};
inline constexpr Rect kLVpc{240, 80, 60, 30};
inline constexpr Rect kATpc{184, 128, 135, 30};
inline constexpr Rect kWIpc{192, 168, 120, 150};

// The buttons, in twips.
inline constexpr int kButtonOutLeft = 7200;
inline constexpr int kButtonInLeft = 6000;
inline constexpr int kStartTop = 240;
inline constexpr int kEndTop = 840;
inline constexpr int kButtonWidth = 975;
inline constexpr int kButtonHeight = 495;

}  // namespace zelvane::layout

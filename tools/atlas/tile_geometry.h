#pragma once

// Where things sit inside a 30 x 30 tile of the sprite atlas. Shared with the
// tests, which sample tile faces at points that no letter ever covers.
namespace zelvane::tile_geometry {

struct Point {
  int x;
  int y;
};

inline constexpr int kSize = 30;
// The grey bevelled frame is this many pixels wide on every side.
inline constexpr int kFrame = 3;
// The face fills the inside of the frame, from kFaceFirst to kFaceLast both ways.
inline constexpr int kFaceFirst = kFrame;
inline constexpr int kFaceLast = kSize - 1 - kFrame;

// The letter, outline included, stays inside this box (inclusive bounds).
inline constexpr int kLetterLeft = 5;
inline constexpr int kLetterRight = 24;
inline constexpr int kLetterTop = 4;
inline constexpr int kLetterBottom = 24;

// Face pixels clear of every letter: the four corners inside the frame and
// the middle of the bottom edge.
inline constexpr Point kFaceSamples[] = {
    {kFaceFirst + 1, kFaceFirst + 1}, {kFaceLast - 1, kFaceFirst + 1}, {kFaceFirst + 1, kFaceLast - 1},
    {kFaceLast - 1, kFaceLast - 1},   {kSize / 2, kFaceLast - 1},
};

// Gradient faces run from top to bottom: their first face row holds the
// start colour, their last the end colour. Sampled in this column.
inline constexpr int kGradientColumn = kSize / 2;

}  // namespace zelvane::tile_geometry

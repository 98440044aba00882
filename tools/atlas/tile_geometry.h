#pragma once

#include "screen/image.h"
#include "screen/playfield.h"

// Where things sit inside a tile of the sprite atlas, kCell pixels square.
// Shared with the tests, which sample tile faces at points that no letter ever
// covers.
namespace zelvane::tile_geometry {

// The grey bevelled frame is this many pixels wide on every side.
inline constexpr int kFrame = 3;
// The face fills the inside of the frame, from kFaceFirst to kFaceLast both ways.
inline constexpr int kFaceFirst = kFrame;
inline constexpr int kFaceLast = kCell - 1 - kFrame;

// The letter, outline included, stays inside this box.
inline constexpr Rect kLetterBox{5, 4, 20, 21};

// Face pixels clear of every letter: the four corners inside the frame and
// the middle of the bottom edge.
inline constexpr Point kFaceSamples[] = {
    {kFaceFirst + 1, kFaceFirst + 1}, {kFaceLast - 1, kFaceFirst + 1}, {kFaceFirst + 1, kFaceLast - 1},
    {kFaceLast - 1, kFaceLast - 1},   {kCell / 2, kFaceLast - 1},
};

// Gradient faces run from top to bottom: their first face row holds the
// start colour, their last the end colour. Sampled in this column.
inline constexpr int kGradientColumn = kCell / 2;

}  // namespace zelvane::tile_geometry

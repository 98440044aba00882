#pragma once

#include "screen/image.h"
#include "window/shades.h"

namespace zelvane {

// Draws into a picture but touches only the pixels inside its clip, so a part
// of the window can be drawn again without disturbing the rest.
class ClippedCanvas {
 public:
  ClippedCanvas(Image& image, Rect clip) : image_(image), clip_(clip.Intersected(image.Bounds())) {}

  // The same picture, clipped further to `area`.
  ClippedCanvas Within(Rect area) const { return ClippedCanvas(image_, clip_.Intersected(area)); }
  void Fill(Rect box, Rgb colour);
  // Copies the `from` part of `source` with its top-left corner at (x, y).
  void Paste(const Image& source, Rect from, int x, int y);

 private:
  Image& image_;
  Rect clip_;
};

// Two 1-pixel rings: `outer` lies on the edge of `box`, `inner` just inside it.
// Each ring has its top and left sides in one colour and its bottom and right
// sides, corners included, in the other: the light or shadow of a 3D edge.
struct Bevel {
  Rgb outerTopLeft;
  Rgb innerTopLeft;
  Rgb outerBottomRight;
  Rgb innerBottomRight;
};
void DrawBevel(ClippedCanvas& canvas, Rect box, const Bevel& bevel);

// The sunken 2-pixel frame of a picture panel, around its drawing area.
void DrawSunkenFrame(ClippedCanvas& canvas, Rect drawingArea, int border);

// How a push button is to be drawn.
struct ButtonLook {
  bool enabled = false;
  bool pressed = false;
  bool focused = false;
  // The button that Enter presses wears an extra black outline.
  bool isDefault = false;
  bool operator==(const ButtonLook&) const = default;
};

// A classic push button filling `bounds`; `button` picks its caption (0 "Start", 1 "End").
void DrawButton(ClippedCanvas& canvas, Rect bounds, int button, const ButtonLook& look, const Image& captions);

// The button captions compiled into the game, decoded once.
const Image& ButtonCaptions();

}  // namespace zelvane

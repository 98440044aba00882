#pragma once

#include "screen/image.h"

namespace zelvane {

// A picture panel with a persistent image. What the player sees is `Shown()`:
// a copy from the atlas changes only the image until the panel is presented;
// fill box, line and clear also ask for a repaint, which the window makes once
// the current handler has returned. Pixels outside the drawing area are dropped.
class Panel {
 public:
  Panel(int width, int height);

  int Width() const { return image_.Width(); }
  int Height() const { return image_.Height(); }

  void Copy(int x, int y, int width, int height, const Image& atlas, int atlasX, int atlasY);
  void FillBox(int x1, int y1, int x2, int y2, Rgb colour);
  void Line(int x1, int y1, int x2, int y2, Rgb colour);
  void Clear();
  void Present();

  // The window's side: a handler has returned, or the whole window needs repainting.
  void HandlerReturned();
  void Repaint();

  const Image& Picture() const { return image_; }
  const Image& Shown() const { return shown_; }
  // The part of `Shown()` changed since the last call; the window redraws just that.
  Rect TakeScreenDamage();

 private:
  void Touch(Rect area);

  Image image_;
  Image shown_;
  Rect unpresented_;
  Rect screenDamage_;
  bool repaintRequested_ = false;
};

}  // namespace zelvane

#pragma once

#include <array>
#include <optional>
#include <vector>

#include "screen/image.h"
#include "screen/panel.h"
#include "window/button_look.h"

namespace zelvane {

// What the client area holds: the background, the panels at their places and
// the two buttons on top of them.
struct PanelPlace {
  Panel* panel;
  // The panel's drawing area in the client area.
  Rect area;
  // The width of its sunken frame around the drawing area; 0 for none.
  int border = 0;
};

struct ButtonPlace {
  Rect bounds;
  ButtonLook look;
  bool operator==(const ButtonPlace&) const = default;
};

struct WindowScene {
  Rgb backColor;
  std::array<PanelPlace, 5> panels;
  std::array<ButtonPlace, 2> buttons;
};

// The picture of the window's client area, kept up to date part by part: only
// what the panels changed on screen and where the buttons moved or changed
// look is drawn again.
class WindowImage {
 public:
  WindowImage(int width, int height, const Image& captions);

  // Redraws what changed since the last call; returns those parts of the
  // client area, so that only they reach the screen.
  std::vector<Rect> Compose(const WindowScene& scene);
  // The next Compose draws the whole client area, as after an expose.
  void Invalidate() { drawnBackColor_.reset(); }

  const Image& Picture() const { return image_; }

 private:
  void Draw(const WindowScene& scene, Rect part);

  Image image_;
  const Image& captions_;
  std::optional<Rgb> drawnBackColor_;
  std::array<ButtonPlace, 2> drawnButtons_{};
};

}  // namespace zelvane

#pragma once

#include <array>

#include "game/mform.h"
#include "screen/image.h"

namespace zelvane {

// The client area as the player sees it: the black background, the playfield's
// frame, every panel's shown picture and the buttons on top.
class WindowImage {
 public:
  explicit WindowImage(const Image& captions);

  // Redraws from the window's current state; true when anything changed.
  bool Compose(Mform& form, int focusedButton, int pressedButton);
  const Image& Pixels() const { return pixels_; }

 private:
  void DrawFrame();
  void DrawButton(const CommandButton& button, int index, bool focused, bool pressed);

  const Image& captions_;
  Image pixels_;
  std::array<CommandButton, 2> lastButtons_;
  int lastFocus_ = -1;
  int lastPressed_ = -1;
  bool first_ = true;
};

}  // namespace zelvane

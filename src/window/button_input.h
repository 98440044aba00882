#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "screen/button.h"
#include "screen/image.h"
#include "window/button_look.h"

namespace zelvane {

using ButtonPair = std::array<CommandButton, 2>;

// The keyboard focus and the pressing of the two push buttons, as classic
// buttons behave. Button 0 ("Start") is the default button: Enter presses the
// focused button, or Start while neither has the focus. Space presses the
// focused button on key down and clicks it on key up; Tab, Shift+Tab and the
// arrow keys move the focus between the enabled buttons. A mouse press inside
// an enabled button takes the focus and shows it pressed while the pointer
// stays inside; the release clicks it only inside. Disabled buttons take no
// part: one that is disabled loses the focus and any press.
//
// Each call returns the index of the button it clicked, if any; the window
// hands that to the game's click handler.
class ButtonInput {
 public:
  std::optional<std::int16_t> KeyDown(const ButtonPair& buttons, std::int16_t keyCode, std::int16_t shift);
  std::optional<std::int16_t> KeyUp(const ButtonPair& buttons, std::int16_t keyCode);
  void MouseDown(const ButtonPair& buttons, Point at);
  void MouseMove(const ButtonPair& buttons, Point at);
  std::optional<std::int16_t> MouseUp(const ButtonPair& buttons, Point at);
  // The window lost the keyboard: presses in progress are dropped.
  void Cancel();

  // Forgets the focus and presses of buttons that have been disabled since.
  void Follow(const ButtonPair& buttons);
  ButtonLook Look(const ButtonPair& buttons, int index) const;

 private:
  void MoveFocus(const ButtonPair& buttons, bool forward);

  std::optional<int> focus_;
  std::optional<int> spacePressed_;
  std::optional<int> mouseCaptured_;
  bool mouseInside_ = false;
};

}  // namespace zelvane

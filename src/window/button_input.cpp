#include "window/button_input.h"

#include "screen/virtual_keys.h"

namespace zelvane {
namespace {

constexpr int kDefaultButton = 0;

bool Enabled(const ButtonPair& buttons, int index) { return buttons[static_cast<std::size_t>(index)].enabled; }

bool Contains(const Rect& rect, Point at) {
  return at.x >= rect.x && at.y >= rect.y && at.x < rect.Right() && at.y < rect.Bottom();
}

std::optional<std::int16_t> Clicked(std::optional<int> index) {
  if (!index) return std::nullopt;
  return static_cast<std::int16_t>(*index);
}

}  // namespace

void ButtonInput::Follow(const ButtonPair& buttons) {
  const auto drop = [&](std::optional<int>& index) {
    if (index && !Enabled(buttons, *index)) index.reset();
  };
  drop(focus_);
  drop(spacePressed_);
  drop(mouseCaptured_);
}

std::optional<std::int16_t> ButtonInput::KeyDown(const ButtonPair& buttons, std::int16_t keyCode, std::int16_t shift) {
  Follow(buttons);
  switch (keyCode) {
    case vk::Enter: {
      const int target = focus_.value_or(kDefaultButton);
      if (Enabled(buttons, target)) return Clicked(target);
      return std::nullopt;
    }
    case vk::Space:
      if (focus_ && !mouseCaptured_) spacePressed_ = focus_;
      return std::nullopt;
    case vk::Tab:
      MoveFocus(buttons, (shift & vk::ShiftMask) == 0);
      return std::nullopt;
    case vk::Right:
    case vk::Down:
      MoveFocus(buttons, true);
      return std::nullopt;
    case vk::Left:
    case vk::Up:
      MoveFocus(buttons, false);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<std::int16_t> ButtonInput::KeyUp(const ButtonPair& buttons, std::int16_t keyCode) {
  Follow(buttons);
  if (keyCode != vk::Space || !spacePressed_) return std::nullopt;
  const int clicked = *spacePressed_;
  spacePressed_.reset();
  return Clicked(clicked);
}

// From no focus, forward starts at the first button in tab order and backward at the last.
void ButtonInput::MoveFocus(const ButtonPair& buttons, bool forward) {
  const int count = static_cast<int>(buttons.size());
  int index = focus_.value_or(forward ? count - 1 : 0);
  for (int tried = 0; tried < count; ++tried) {
    index = (index + (forward ? 1 : count - 1)) % count;
    if (Enabled(buttons, index)) {
      if (focus_ != index) spacePressed_.reset();
      focus_ = index;
      return;
    }
  }
}

void ButtonInput::MouseDown(const ButtonPair& buttons, Point at) {
  Follow(buttons);
  for (int index = 0; index < static_cast<int>(buttons.size()); ++index) {
    if (Enabled(buttons, index) && Contains(buttons[static_cast<std::size_t>(index)].Bounds(), at)) {
      mouseCaptured_ = index;
      mouseInside_ = true;
      focus_ = index;
      spacePressed_.reset();
      return;
    }
  }
}

void ButtonInput::MouseMove(const ButtonPair& buttons, Point at) {
  Follow(buttons);
  if (mouseCaptured_) mouseInside_ = Contains(buttons[static_cast<std::size_t>(*mouseCaptured_)].Bounds(), at);
}

std::optional<std::int16_t> ButtonInput::MouseUp(const ButtonPair& buttons, Point at) {
  MouseMove(buttons, at);
  const std::optional<int> captured = mouseCaptured_;
  mouseCaptured_.reset();
  if (captured && mouseInside_) return Clicked(captured);
  return std::nullopt;
}

void ButtonInput::Cancel() {
  spacePressed_.reset();
  mouseCaptured_.reset();
}

ButtonLook ButtonInput::Look(const ButtonPair& buttons, int index) const {
  ButtonLook look;
  look.enabled = Enabled(buttons, index);
  if (!look.enabled) return look;
  look.focused = focus_ == index;
  look.isDefault = focus_.value_or(kDefaultButton) == index;
  look.pressed = spacePressed_ == index || (mouseCaptured_ == index && mouseInside_);
  return look;
}

}  // namespace zelvane

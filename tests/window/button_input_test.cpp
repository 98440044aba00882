#include "window/button_input.h"

#include <gtest/gtest.h>

#include "screen/layout.h"
#include "screen/virtual_keys.h"

namespace zelvane {
namespace {

constexpr Point kInsideStart{432, 32};
constexpr Point kInsideEnd{432, 72};
constexpr Point kOutside{300, 32};

class ButtonInputTest : public ::testing::Test {
 protected:
  ButtonInputTest() {
    buttons[0].top = layout::kStartTop;
    buttons[1].top = layout::kEndTop;
    SetWaiting(true);
  }

  // The title sequence's end: both buttons in place and enabled, or both out and disabled.
  void SetWaiting(bool waiting) {
    for (CommandButton& button : buttons) {
      button.left = waiting ? layout::kButtonInLeft : layout::kButtonOutLeft;
      button.enabled = waiting;
    }
  }

  std::optional<std::int16_t> Key(std::int16_t code, std::int16_t shift = 0) {
    return input.KeyDown(buttons, code, shift);
  }
  std::optional<std::int16_t> Tap(std::int16_t code) {
    const auto down = Key(code);
    const auto up = input.KeyUp(buttons, code);
    return down ? down : up;
  }
  std::optional<std::int16_t> MouseClick(Point at) {
    input.MouseDown(buttons, at);
    return input.MouseUp(buttons, at);
  }
  std::optional<int> Focused() const {
    for (int i = 0; i < 2; ++i) {
      if (input.Look(buttons, i).focused) return i;
    }
    return std::nullopt;
  }

  ButtonPair buttons;
  ButtonInput input;
};

TEST_F(ButtonInputTest, DisabledButtonsIgnoreEveryKeyAndClick) {
  SetWaiting(false);
  for (std::int16_t code : {vk::Enter, vk::Space, vk::Tab, vk::Right, vk::Left}) {
    EXPECT_EQ(Tap(code), std::nullopt) << "key " << code;
  }
  EXPECT_EQ(Focused(), std::nullopt);
  buttons[0].left = layout::kButtonInLeft;  // even where it would be hit
  EXPECT_EQ(MouseClick(kInsideStart), std::nullopt);
  const ButtonLook look = input.Look(buttons, 0);
  EXPECT_FALSE(look.enabled || look.pressed || look.focused || look.isDefault);
}

TEST_F(ButtonInputTest, EnterPressesStartUntilAnotherButtonHasTheFocus) {
  EXPECT_EQ(Focused(), std::nullopt) << "no button has the focus when they come in";
  EXPECT_TRUE(input.Look(buttons, 0).isDefault);
  EXPECT_EQ(Key(vk::Enter), 0);
  Key(vk::Tab);
  Key(vk::Tab);
  EXPECT_EQ(Focused(), 1);
  EXPECT_TRUE(input.Look(buttons, 1).isDefault) << "the outline follows the focus";
  EXPECT_FALSE(input.Look(buttons, 0).isDefault);
  EXPECT_EQ(Key(vk::Enter), 1);
}

TEST_F(ButtonInputTest, TabShiftTabAndArrowsMoveTheFocus) {
  struct Step {
    std::int16_t code;
    std::int16_t shift;
    int focusAfter;
  };
  const Step steps[] = {
      {vk::Tab, 0, 0},
      {vk::Tab, 0, 1},
      {vk::Tab, 0, 0},
      {vk::Tab, vk::ShiftMask, 1},
      {vk::Tab, vk::ShiftMask, 0},
      {vk::Right, 0, 1},
      {vk::Down, 0, 0},
      {vk::Left, 0, 1},
      {vk::Up, 0, 0},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(Key(step.code, step.shift), std::nullopt);
    EXPECT_EQ(Focused(), step.focusAfter) << "after key " << step.code << " shift " << step.shift;
  }
  ButtonInput fresh;
  fresh.KeyDown(buttons, vk::Tab, vk::ShiftMask);
  EXPECT_TRUE(fresh.Look(buttons, 1).focused) << "backward from no focus starts at the last button";
}

TEST_F(ButtonInputTest, SpacePressesOnKeyDownAndClicksOnKeyUp) {
  EXPECT_EQ(Tap(vk::Space), std::nullopt) << "Space needs a focused button";
  Key(vk::Tab);
  EXPECT_EQ(Key(vk::Space), std::nullopt);
  EXPECT_TRUE(input.Look(buttons, 0).pressed);
  EXPECT_EQ(Key(vk::Space), std::nullopt) << "auto-repeat keeps it pressed";
  EXPECT_EQ(input.KeyUp(buttons, vk::Space), 0);
  EXPECT_FALSE(input.Look(buttons, 0).pressed);
  EXPECT_EQ(input.KeyUp(buttons, vk::Space), std::nullopt) << "one press, one click";
}

TEST_F(ButtonInputTest, APressIsDroppedWhenTheFocusMovesOrTheWindowLosesTheKeyboard) {
  Key(vk::Tab);
  Key(vk::Space);
  Key(vk::Tab);
  EXPECT_EQ(input.KeyUp(buttons, vk::Space), std::nullopt);
  Key(vk::Space);
  input.Cancel();
  EXPECT_FALSE(input.Look(buttons, 1).pressed);
  EXPECT_EQ(input.KeyUp(buttons, vk::Space), std::nullopt);
}

TEST_F(ButtonInputTest, TheFocusSkipsADisabledButton) {
  buttons[0].enabled = false;
  Key(vk::Tab);
  EXPECT_EQ(Focused(), 1);
  Key(vk::Tab);
  EXPECT_EQ(Focused(), 1);
  ButtonInput fresh;
  EXPECT_EQ(fresh.KeyDown(buttons, vk::Enter, 0), std::nullopt) << "Start is disabled and nothing has the focus";
}

TEST_F(ButtonInputTest, ButtonsThatWereDisabledComeBackWithoutFocusOrPress) {
  Key(vk::Tab);
  Key(vk::Tab);
  Key(vk::Space);
  SetWaiting(false);  // a click elsewhere, a game played
  input.Follow(buttons);
  SetWaiting(true);
  EXPECT_EQ(Focused(), std::nullopt);
  EXPECT_FALSE(input.Look(buttons, 1).pressed);
  EXPECT_EQ(input.KeyUp(buttons, vk::Space), std::nullopt);
  EXPECT_EQ(Key(vk::Enter), 0) << "Enter is back to the default button";
}

TEST_F(ButtonInputTest, AMouseReleaseClicksOnlyInsideTheButtonPressed) {
  input.MouseDown(buttons, kInsideEnd);
  EXPECT_TRUE(input.Look(buttons, 1).pressed);
  EXPECT_EQ(Focused(), 1) << "a press takes the focus";
  input.MouseMove(buttons, kOutside);
  EXPECT_FALSE(input.Look(buttons, 1).pressed);
  input.MouseMove(buttons, kInsideEnd);
  EXPECT_TRUE(input.Look(buttons, 1).pressed);
  EXPECT_EQ(input.MouseUp(buttons, kInsideEnd), 1);
  EXPECT_FALSE(input.Look(buttons, 1).pressed);

  input.MouseDown(buttons, kInsideStart);
  EXPECT_EQ(input.MouseUp(buttons, kOutside), std::nullopt) << "released outside: cancelled";
  input.MouseDown(buttons, kInsideStart);
  EXPECT_EQ(input.MouseUp(buttons, kInsideEnd), std::nullopt) << "released over the other button";
  EXPECT_EQ(MouseClick(kOutside), std::nullopt);
}

TEST_F(ButtonInputTest, TheButtonEdgesAreWhereTheMouseHitsThem) {
  const Rect start = buttons[0].Bounds();
  EXPECT_EQ(MouseClick({start.x, start.y}), 0);
  EXPECT_EQ(MouseClick({start.Right() - 1, start.Bottom() - 1}), 0);
  EXPECT_EQ(MouseClick({start.Right(), start.y}), std::nullopt);
  EXPECT_EQ(MouseClick({start.x, start.y - 1}), std::nullopt);
}

}  // namespace
}  // namespace zelvane

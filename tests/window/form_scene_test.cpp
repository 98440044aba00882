#include "window/form_scene.h"

#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace zelvane {
namespace {

using testing::AtlasSourceOf;
using testing::FormTest;

// The game's window as the player sees it, composed from the form itself.
class FormSceneTest : public FormTest {
 protected:
  FormSceneTest() : window_(layout::kClientWidth, layout::kClientHeight, ButtonCaptions()) {}

  std::vector<Rect> Compose() { return window_.Compose(SceneOf(form, input_)); }
  Rgb At(int x, int y) const { return window_.Picture().At(x, y); }
  Point AtlasAt(int x, int y) const { return AtlasSourceOf(At(x, y)); }
  bool ButtonFaceAt(int x, int y) const { return At(x, y) == shade::Face; }

  ButtonInput input_;
  WindowImage window_;
};

TEST_F(FormSceneTest, AfterTheTitleTheButtonsWaitAtTheRightAndTheScoreFrameIsUp) {
  form.DeliverLoad(form.clock.now);
  Compose();
  EXPECT_EQ(At(5, 5), Black) << "the background is black from the load on";
  EXPECT_FALSE(ButtonFaceAt(474, 30));
  EXPECT_EQ(AtlasAt(184 + 5, 24 + 7), (Point{16 + 5, 176 + 7})) << "the score frame";

  RunFor(form, 1000);
  Compose();
  EXPECT_TRUE(ButtonFaceAt(405, 20)) << "Start at 400, 16";
  EXPECT_TRUE(ButtonFaceAt(405, 60)) << "End at 400, 56";
  EXPECT_TRUE(ButtonFaceAt(462, 86));
  EXPECT_FALSE(ButtonFaceAt(398, 20));
  EXPECT_EQ(AtlasAt(192 + 5, 168 + 5), (Point{160 + 5, 210 + 5})) << "the best score's bright first zero";
}

TEST_F(FormSceneTest, WhileSlidingInOnlyTheStartButtonsStripIsRedrawn) {
  form.DeliverLoad(form.clock.now);
  Compose();
  // Run the record rows in; then each tick moves the Start button left.
  while (form.state.titleStep < 10) {
    form.DeliverDueTick(*form.NextDue());
  }
  Compose();
  form.DeliverDueTick(*form.NextDue());  // 7200 -> 7080 twips: 472 px
  EXPECT_EQ(Compose(), (std::vector<Rect>{{472, 16, 3, 33}}));
  EXPECT_TRUE(ButtonFaceAt(474, 30));
  EXPECT_EQ(At(471, 30), Black);
}

TEST_F(FormSceneTest, StartTakesTheButtonsAwayAndShowsTheReadyBanner) {
  LoadAndWait();
  Compose();
  input_.MouseDown(form.Cm1, {432, 32});
  Compose();
  EXPECT_EQ(At(400, 16), shade::DarkShadow) << "held down: the pushed bevel";
  const auto clicked = input_.MouseUp(form.Cm1, {432, 32});
  ASSERT_EQ(clicked, 0);
  form.DeliverClick(form.clock.now, *clicked);
  input_.Follow(form.Cm1);
  Compose();
  EXPECT_FALSE(ButtonFaceAt(405, 20));
  EXPECT_FALSE(ButtonFaceAt(405, 60));
  // The banner at (20, 135) of the playfield, whose drawing area starts at client (18, 18).
  EXPECT_EQ(AtlasAt(38, 153), (Point{420, 210}));
  EXPECT_EQ(AtlasAt(38 + 99, 153 + 29), (Point{420 + 99, 210 + 29}));
}

}  // namespace
}  // namespace zelvane

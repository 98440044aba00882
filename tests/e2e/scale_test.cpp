// The window on dense screens: every game pixel a whole block of screen pixels.
#include "game_window_fixture.h"
#include "screen/layout.h"
#include "screen_reading.h"

namespace zelvane::e2e {
namespace {

// `picture` with each pixel made a scale x scale block.
Image Enlarged(const Image& picture, int scale) {
  Image large(picture.Width() * scale, picture.Height() * scale);
  for (int y = 0; y < large.Height(); ++y) {
    for (int x = 0; x < large.Width(); ++x) large.Set(x, y, picture.At(x / scale, y / scale));
  }
  return large;
}

bool Same(const Image& a, const Image& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() && SameAs(a, {0, 0}, b, b.Bounds());
}

struct ScaleCase {
  const char* name;
  ScreenSetup screen;
  // The desktop's resources, as its settings daemon puts them on the root window.
  const char* resources;
  int scale;
};

class ScaleTest : public GameWindowTest, public ::testing::WithParamInterface<ScaleCase> {
 protected:
  void SetUp() override {}

  // The title at rest as the game shows it on `screen`.
  void TitleAtRest(const ScreenSetup& screen, const char* resources, int scale) {
    ASSERT_NO_FATAL_FAILURE(BringUpDisplay(screen));
    if (resources != nullptr) {
      ASSERT_TRUE(display_->SetResources(resources));
    }
    ASSERT_NO_FATAL_FAILURE(Launch({}));
    ASSERT_TRUE(WaitForShot([&](const Image& s) { return ButtonsWaiting(Reduced(s, scale)); }, 15s))
        << "Start and End never came to rest";
  }
};

TEST_P(ScaleTest, TheTitleIsTheOneAtOneToOneWithEveryPixelABlock) {
  const ScaleCase& c = GetParam();
  ASSERT_NO_FATAL_FAILURE(TitleAtRest({}, nullptr, 1));
  ASSERT_EQ(shot.Width(), layout::kClientWidth);
  const Image expected = Enlarged(shot, c.scale);

  ASSERT_NO_FATAL_FAILURE(TitleAtRest(c.screen, c.resources, c.scale));
  const int width = layout::kClientWidth * c.scale;
  const int height = layout::kClientHeight * c.scale;
  const std::string info = X("xwininfo -id " + window_);
  EXPECT_NE(info.find("Width: " + std::to_string(width) + "\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Height: " + std::to_string(height) + "\n"), std::string::npos) << info;
  const std::string size = std::to_string(width) + " by " + std::to_string(height);
  const std::string hints = X("xprop -id " + window_ + " WM_NORMAL_HINTS");
  EXPECT_NE(hints.find("minimum size: " + size), std::string::npos) << "not resizable: " << hints;
  EXPECT_NE(hints.find("maximum size: " + size), std::string::npos) << hints;
  EXPECT_TRUE(Same(shot, expected)) << "not the 1:1 title, each pixel a " << c.scale << " x " << c.scale << " block";
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ScaleTest,
    ::testing::Values(ScaleCase{"Dpi192", {1280, 1024, 192}, nullptr, 2},
                      ScaleCase{"Dpi288", {1600, 1200, 288}, nullptr, 3},
                      ScaleCase{"DesktopSaysXftDpi192OnA96DpiScreen", {1280, 1024, 96}, "Xft.dpi:\t192\n", 2},
                      ScaleCase{"Dpi288OnAScreenTooSmallForThree", {1280, 1024, 288}, nullptr, 2}),
    [](const ::testing::TestParamInfo<ScaleCase>& info) { return info.param.name; });

TEST_F(ScaleTest, ClickingStartAtTwiceTheSizeStartsTheGame) {
  constexpr int kScale = 2;
  ASSERT_NO_FATAL_FAILURE(TitleAtRest({1280, 1024, 192}, nullptr, kScale));
  // Where Start stands at 1:1, twice as large the playfield is: that click does nothing.
  Click(kStartClick);
  Click({kStartClick.x * kScale, kStartClick.y * kScale});
  EXPECT_TRUE(WaitForShot([](const Image& s) { return ReadyBannerShown(Reduced(s, kScale)); }, 3s))
      << "no ready banner after Start";
}

}  // namespace
}  // namespace zelvane::e2e

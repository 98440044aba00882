// The game on a dense Windows monitor: the scale the player sets in Windows
// (which Wine keeps as LogPixels) makes every game pixel a whole block.
#include <string>

#include "screen/layout.h"
#include "screen_reading.h"
#include "wine_test.h"

namespace zelvane::e2e {
namespace {

const std::string kDesktopKey = R"('HKCU\Control Panel\Desktop')";

class DensityTest : public WineTest {
 protected:
  // Wine reads the density when its server starts: the server ends before
  // the setting changes and after it is undone.
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(BringUpDisplay({1280, 1024, 96}));
    WaitForWine();
    Wine("reg.exe add " + kDesktopKey + " /v LogPixels /t REG_DWORD /d 192 /f");
    WaitForWine();
  }
  void TearDown() override {
    WineTest::TearDown();
    WaitForWine();
    Wine("reg.exe delete " + kDesktopKey + " /v LogPixels /f");
    WaitForWine();
  }
};

TEST_F(DensityTest, TwiceTheDensityMakesEveryPixelATwoByTwoBlockAndStartStillStarts) {
  constexpr int kScale = 2;
  ASSERT_NO_FATAL_FAILURE(Launch({}));
  ASSERT_TRUE(WaitForShot([](const Image& s) { return ButtonsWaiting(Reduced(s, kScale)); }, 15s))
      << "Start and End never came to rest at twice the size";
  const std::string info = X("xwininfo -id " + window_);
  EXPECT_NE(info.find("Width: " + std::to_string(layout::kClientWidth * kScale) + "\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Height: " + std::to_string(layout::kClientHeight * kScale) + "\n"), std::string::npos) << info;
  Click({kStartClick.x * kScale, kStartClick.y * kScale});
  EXPECT_TRUE(WaitForShot([](const Image& s) { return ReadyBannerShown(Reduced(s, kScale)); }, 3s))
      << "no ready banner after Start";
}

}  // namespace
}  // namespace zelvane::e2e

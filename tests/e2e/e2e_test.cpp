// The window itself, its buttons and the first moments of play.
#include <signal.h>

#include <fstream>
#include <sstream>

#include "game_window_fixture.h"
#include "screen/atlas.h"
#include "screen/atlas_regions.h"
#include "screen_reading.h"
#include "window/button_look.h"

namespace zelvane::e2e {
namespace {

constexpr Rect kScorePanel = layout::kSCpc;

TEST_F(GameWindowTest, TheWindowHasTheGamesTitleSizeFrameAndIcon) {
  EXPECT_EQ(X("xdotool getwindowname " + window_), "Zelvane\n");
  const std::string info = X("xwininfo -id " + window_);
  EXPECT_NE(info.find("Width: 475\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Height: 336\n"), std::string::npos) << info;
  const std::string size = X("xprop -id " + window_ + " WM_NORMAL_HINTS");
  EXPECT_NE(size.find("minimum size: 475 by 336"), std::string::npos) << "not resizable: " << size;
  EXPECT_NE(size.find("maximum size: 475 by 336"), std::string::npos) << size;
  // Functions: move and close only; no minimize, no maximize.
  EXPECT_NE(X("xprop -id " + window_ + " _MOTIF_WM_HINTS").find("= 0x3, 0x24,"), std::string::npos);
  const std::string icon = X("xprop -id " + window_ + " _NET_WM_ICON");
  EXPECT_NE(icon.find("Icon (16 x 16)"), std::string::npos);
  EXPECT_NE(icon.find("Icon (32 x 32)"), std::string::npos);

  WaitForTheButtons();
  EXPECT_TRUE(SameAs(shot, {kScorePanel.x, kScorePanel.y}, Atlas(), atlas::kScoreFrame)) << "the score frame";
  EXPECT_EQ(shot.At(16, 16), shade::Shadow) << "the playfield's sunken frame";
  EXPECT_EQ(shot.At(169, 319), shade::Highlight);
  const Point bestZero = atlas::BrightDigitGlyph(0);
  EXPECT_TRUE(SameAs(shot, {192, 168}, Atlas(), {bestZero.x, bestZero.y, 20, 30})) << "the best score, no records yet";
}

TEST_F(GameWindowTest, TheWindowManagerPlacesTheWindowAndNoGlIsLoaded) {
  const std::string size = X("xprop -id " + window_ + " WM_NORMAL_HINTS");
  EXPECT_EQ(size.find("specified location"), std::string::npos) << "the window manager places it: " << size;

  std::ifstream maps("/proc/" + std::to_string(game_->Pid()) + "/maps");
  std::stringstream mapped;
  mapped << maps.rdbuf();
  EXPECT_EQ(mapped.str().find("libGL"), std::string::npos) << "the window surface needs no GL";
  EXPECT_EQ(mapped.str().find("libEGL"), std::string::npos);
}

TEST_F(GameWindowTest, ClickingStartDealsTheFirstWaveAndTypingHitsIt) {
  WaitForTheButtons();
  Click(kStartClick);
  StartedShowsTheReadyBannerThenTheFirstWave();

  int column = 0;
  while (!LetterIn(shot, column, 0)) ++column;
  const int letter = *LetterIn(shot, column, 0);
  const Image before = shot;
  Key(std::string(1, static_cast<char>('a' + letter)));
  // The wave falls a row a second; the letter must be gone from its column wherever the wave is.
  const auto hit = [&](const Image& s) {
    for (int row = 0; row < 10; ++row) {
      if (LetterIn(s, column, row) == letter) return false;
    }
    return !SameAs(s, {kScorePanel.x, kScorePanel.y}, before, kScorePanel);
  };
  EXPECT_TRUE(WaitForShot(hit, 3s)) << "typing '" << static_cast<char>('a' + letter)
                                    << "' did not destroy the letter and score";
}

TEST_F(GameWindowTest, TypingTheFirstWaveScoresFortyAndDealsTheNextInTheTopRow) {
  ASSERT_NO_FATAL_FAILURE(TypeTheFirstWave());
  // A shot may fall between the window's updates of the score and of the playfield.
  const auto twoLetters = [](const Image& s) {
    const auto wave = FallingWaveIn(s);
    return wave && wave->letters.size() == 2;
  };
  ASSERT_TRUE(WaitForShot(twoLetters, 2s)) << "no new wave of two letters";
  const int row = FallingWaveIn(shot)->row;
  // The descent moves the wave a row a second (less the 2 ms of the hits),
  // counted from the first wave's coming; so soon after it, a wave dealt since
  // cannot have left the top row. The margin covers the way to the screen.
  const auto rowsSince = (shotDone - firstWaveAfter + 150ms) / 998ms;
  EXPECT_LE(row, rowsSince) << "the new wave is not dealt in the top row";
}

TEST_F(GameWindowTest, EnterPressesStart) {
  WaitForTheButtons();
  Key("Return");
  StartedShowsTheReadyBannerThenTheFirstWave();
}

TEST_F(GameWindowTest, EndWritesTheRecordsAndEndsTheGame) {
  WaitForTheButtons();
  Click(kEndClick);
  EXPECT_EQ(game_->WaitForExit(10s), 0);
  EXPECT_TRUE(std::filesystem::exists(game_->WorkingDirectory() / "jkl.yen"));
}

// SDL turns SIGTERM into a quit, as closing the window does; a hangup, when
// the terminal closes or the session ends, does the same.
TEST_F(GameWindowTest, AQuitRequestOrAHangupSavesAndEndsTheGame) {
  for (const int signal : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal == SIGTERM ? "SIGTERM" : "SIGHUP");
    if (signal != SIGTERM) {
      ASSERT_NO_FATAL_FAILURE(Launch({}));
    }
    ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
    kill(game_->Pid(), signal);
    EXPECT_EQ(game_->WaitForExit(10s), 0);
    EXPECT_TRUE(std::filesystem::exists(game_->WorkingDirectory() / "jkl.yen"));
  }
}

}  // namespace
}  // namespace zelvane::e2e

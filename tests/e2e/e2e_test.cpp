// The real game in a real window on a virtual display, driven with the mouse
// and the keyboard as a player would, and checked from screenshots.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "screen/atlas.h"
#include "screen/atlas_regions.h"
#include "screen/button_look.h"
#include "screen/captions_layout.h"
#include "x_session.h"

namespace zelvane::e2e {
namespace {

// Where the playfield's drawing area starts in the client area.
constexpr Point kField{18, 18};
constexpr Point kStartClick{432, 32};
constexpr Point kEndClick{432, 72};
constexpr Rect kScorePanel{184, 24, 128, 38};

bool SameAs(const Image& shot, Point at, const Image& source, Rect from) {
  if (at.x + from.w > shot.Width() || at.y + from.h > shot.Height()) return false;
  for (int y = 0; y < from.h; ++y) {
    for (int x = 0; x < from.w; ++x) {
      if (shot.At(at.x + x, at.y + y) != source.At(from.x + x, from.y + y)) return false;
    }
  }
  return true;
}

bool AllBlack(const Image& shot, Rect box) {
  for (int y = box.y; y < box.Bottom(); ++y) {
    for (int x = box.x; x < box.Right(); ++x) {
      if (shot.At(x, y) != Black) return false;
    }
  }
  return true;
}

Point Cell(int column, int row) { return {kField.x + 30 * column, kField.y + 30 * row}; }

// Which letter's tile a playfield cell shows, if any.
std::optional<int> LetterIn(const Image& shot, int column, int row) {
  for (std::int16_t code = 0; code < 26; ++code) {
    const Point tile = atlas::LetterTile(code, atlas::kLetterBand);
    if (SameAs(shot, Cell(column, row), Atlas(), {tile.x, tile.y, 30, 30})) return code;
  }
  return std::nullopt;
}

bool ReadyBannerShown(const Image& shot) {
  return SameAs(shot, {kField.x + 20, kField.y + 135}, Atlas(), atlas::kReadyBanner);
}

// End, enabled and at rest at 400, 56: its caption is on the face, two pixels in, centred.
bool ButtonsWaiting(const Image& shot) {
  const Rect endCaption{0, captions::CellIndex(1, true) * captions::kCellHeight, captions::kCellWidth,
                        captions::kCellHeight};
  return shot.At(400, 56) == shade::Highlight && shot.At(399, 56) == Black &&
         SameAs(shot, {402, 64}, ButtonCaptions(), endCaption) && shot.At(405, 30) == shade::Face;
}

class GameWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XToolsInstalled()) GTEST_SKIP() << "Xvfb, xdotool, x11-utils and ImageMagick are needed";
    display_ = std::make_unique<VirtualDisplay>();
    ASSERT_TRUE(display_->Up()) << "Xvfb did not start";
    game_ = std::make_unique<GameProcess>(*display_);
    const auto window = game_->WaitForWindow(20s);
    ASSERT_TRUE(window) << "no window named Zelvane appeared";
    window_ = *window;
  }

  std::string X(const std::string& command) const { return display_->Run(command); }
  void Click(Point at) const {
    X("xdotool mousemove --window " + window_ + " " + std::to_string(at.x) + " " + std::to_string(at.y) +
      " click 1");
  }
  void Key(const std::string& key) const { X("xdotool key " + key); }

  // Takes screenshots until one shows what `shows` wants; that one stays in `shot`.
  bool WaitForShot(const std::function<bool(const Image&)>& shows, std::chrono::milliseconds timeout) {
    return WaitUntil(
        [&] {
          auto taken = game_->Screenshot(window_);
          if (!taken) return false;
          shot = *std::move(taken);
          return shows(shot);
        },
        timeout);
  }

  // The title sequence takes 127 ticks of 5 ms; a slow machine gets some leeway.
  void WaitForTheButtons() { ASSERT_TRUE(WaitForShot(ButtonsWaiting, 15s)) << "Start and End never came to rest"; }

  void StartedShowsTheReadyBannerThenTheFirstWave() {
    ASSERT_TRUE(WaitForShot(ReadyBannerShown, 3s)) << "no ready banner after Start";
    EXPECT_EQ(shot.At(405, 30), Black) << "Start has left";
    EXPECT_EQ(shot.At(405, 70), Black) << "End has left";
    // Three seconds on, the first wave is dealt in the top row.
    ASSERT_TRUE(WaitForShot([](const Image& s) { return !AllBlack(s, {kField.x, kField.y, 150, 30}); }, 10s))
        << "no wave in the top row";
    EXPECT_FALSE(ReadyBannerShown(shot));
    int letters = 0;
    for (int column = 0; column < 5; ++column) {
      if (LetterIn(shot, column, 0)) {
        ++letters;
      } else {
        EXPECT_TRUE(AllBlack(shot, {Cell(column, 0).x, Cell(column, 0).y, 30, 30})) << "column " << column;
      }
    }
    EXPECT_EQ(letters, 2) << "a first wave holds two letters";
  }

  Image shot;
  std::unique_ptr<VirtualDisplay> display_;
  std::unique_ptr<GameProcess> game_;
  std::string window_;
};

TEST_F(GameWindowTest, TheWindowHasTheGamesTitleSizeFrameAndIcon) {
  EXPECT_EQ(X("xdotool getwindowname " + window_), "Zelvane\n");
  const std::string info = X("xwininfo -id " + window_);
  EXPECT_NE(info.find("Width: 475\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Height: 336\n"), std::string::npos) << info;
  const std::string size = X("xprop -id " + window_ + " WM_NORMAL_HINTS");
  EXPECT_NE(size.find("minimum size: 475 by 336"), std::string::npos) << "not resizable: " << size;
  EXPECT_NE(size.find("maximum size: 475 by 336"), std::string::npos) << size;
  EXPECT_EQ(size.find("specified location"), std::string::npos) << "the window manager places it: " << size;
  // Functions: move and close only; no minimize, no maximize.
  EXPECT_NE(X("xprop -id " + window_ + " _MOTIF_WM_HINTS").find("= 0x3, 0x24,"), std::string::npos);
  EXPECT_NE(X("xprop -id " + window_ + " _NET_WM_ICON").find("Icon (32 x 32)"), std::string::npos);

  std::ifstream maps("/proc/" + std::to_string(game_->Pid()) + "/maps");
  std::stringstream mapped;
  mapped << maps.rdbuf();
  EXPECT_EQ(mapped.str().find("libGL"), std::string::npos) << "the window surface needs no GL";
  EXPECT_EQ(mapped.str().find("libEGL"), std::string::npos);

  WaitForTheButtons();
  EXPECT_TRUE(SameAs(shot, {kScorePanel.x, kScorePanel.y}, Atlas(), atlas::kScoreFrame)) << "the score frame";
  EXPECT_EQ(shot.At(16, 16), shade::Shadow) << "the playfield's sunken frame";
  EXPECT_EQ(shot.At(169, 319), shade::Highlight);
  const Point bestZero = atlas::BrightDigitGlyph(0);
  EXPECT_TRUE(SameAs(shot, {192, 168}, Atlas(), {bestZero.x, bestZero.y, 20, 30})) << "the best score, no records yet";
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

TEST_F(GameWindowTest, AQuitRequestEndsTheGame) {
  WaitForTheButtons();
  kill(game_->Pid(), SIGTERM);  // SDL turns it into a quit, as closing the window does
  EXPECT_EQ(game_->WaitForExit(10s), 0);
}

}  // namespace
}  // namespace zelvane::e2e

#include "game_window_fixture.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "screen_reading.h"

namespace zelvane::e2e {

std::optional<std::vector<std::string>> CrLfLines(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return CrLfLines(std::string_view(text));
}

std::optional<std::vector<std::string>> CrLfLines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) return std::nullopt;
    lines.emplace_back(text.substr(start, end - start));
    if (lines.back().find_first_of("\r\n") != std::string::npos) return std::nullopt;
    start = end + 2;
  }
  return lines;
}

void GameWindowTest::SetUp() {
  ASSERT_NO_FATAL_FAILURE(BringUpDisplay());
  if (IsSkipped()) return;
  ASSERT_NO_FATAL_FAILURE(Launch({}));
}

void GameWindowTest::BringUpDisplay(const ScreenSetup& screen) {
  if (!XToolsInstalled()) GTEST_SKIP() << "Xvfb, xdotool, x11-utils and ImageMagick are needed";
  game_.reset();
  display_ = std::make_unique<VirtualDisplay>(screen);
  ASSERT_TRUE(display_->Up()) << "Xvfb did not start";
}

void GameWindowTest::Launch(const GameSetup& setup) {
  game_.reset();
  game_ = std::make_unique<GameProcess>(*display_, setup);
  const auto window = game_->WaitForWindow(20s);
  ASSERT_TRUE(window) << "no window named Zelvane appeared";
  window_ = *window;
}

void GameWindowTest::Click(Point at) const {
  X("xdotool mousemove --window " + window_ + " " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 1");
}

bool GameWindowTest::WaitForShot(const std::function<bool(const Image&)>& shows, std::chrono::milliseconds timeout,
                                 std::chrono::milliseconds step) {
  return WaitUntil(
      [&] {
        const auto began = Clock::now();
        auto taken = game_->Screenshot(window_);
        if (!taken) return false;
        shot = *std::move(taken);
        shotDone = Clock::now();
        if (shows(shot)) return true;
        lastMissBegan = began;
        return false;
      },
      timeout, step);
}

// The title sequence takes 127 ticks of 5 ms; a slow machine gets some leeway.
std::optional<std::string> GameWindowTest::MessageBox() const {
  std::istringstream windows(X("xwininfo -root -children"));
  for (std::string line; std::getline(windows, line);) {
    const auto id = line.find("0x");
    if (id == std::string::npos || line.find("\"Zelvane\"") == std::string::npos) continue;
    const std::string window = line.substr(id, line.find(' ', id) - id);
    if (std::stoul(window, nullptr, 16) != std::stoul(window_)) return window;
  }
  return std::nullopt;
}

void GameWindowTest::WaitForTheButtons() {
  ASSERT_TRUE(WaitForShot(ButtonsWaiting, 15s)) << "Start and End never came to rest";
}

void GameWindowTest::StartedShowsTheReadyBannerThenTheFirstWave() {
  ASSERT_TRUE(WaitForShot(ReadyBannerShown, 3s)) << "no ready banner after Start";
  EXPECT_EQ(shot.At(405, 30), Black) << "Start has left";
  EXPECT_EQ(shot.At(405, 70), Black) << "End has left";
  // Three seconds on, the first wave is dealt in the top row.
  ASSERT_TRUE(WaitForShot(
      [](const Image& s) {
        return !AllBlack(s, {kField.x, kField.y, 150, 30});
      },
      10s))
      << "no wave in the top row";
  firstWaveAfter = lastMissBegan;
  EXPECT_FALSE(ReadyBannerShown(shot));
  int letters = 0;
  for (int column = 0; column < 5; ++column) {
    if (LetterIn(shot, column, 0)) {
      ++letters;
    } else {
      EXPECT_TRUE(AllBlack(shot, CellBox(column, 0))) << "column " << column;
    }
  }
  EXPECT_EQ(letters, 2) << "a first wave holds two letters";
}

void GameWindowTest::TypeTheFirstWave() {
  ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
  Click(kStartClick);
  ASSERT_NO_FATAL_FAILURE(StartedShowsTheReadyBannerThenTheFirstWave());
  // The wave stays in the top row for a second: read it from this one shot.
  firstWave.clear();
  std::string keys;
  for (int column = 0; column < 5; ++column) {
    if (const auto letter = LetterIn(shot, column, 0)) {
      firstWave.push_back(*letter);
      keys += std::string(" ") + static_cast<char>('a' + *letter);
    }
  }
  ASSERT_EQ(firstWave.size(), 2u) << "the first wave:" << keys;
  Key(keys);
  ASSERT_TRUE(WaitForShot([](const Image& s) { return ScoreShows(s, 40); }, 3s))
      << "typing" << keys << " did not score 2 x 20";
}

}  // namespace zelvane::e2e

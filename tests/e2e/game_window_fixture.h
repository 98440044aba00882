#pragma once

// The real game in a real window on a virtual display, driven with the mouse
// and the keyboard as a player would, and checked from screenshots.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "screen/image.h"
#include "x_session.h"

namespace zelvane::e2e {

// The lines of a text whose every line ends in CR LF; nothing when one does not.
std::optional<std::vector<std::string>> CrLfLines(std::string_view text);
// The same for the whole of a file; nothing also when it cannot be read.
std::optional<std::vector<std::string>> CrLfLines(const std::filesystem::path& path);

class GameWindowTest : public ::testing::Test {
 protected:
  using Clock = std::chrono::steady_clock;

  void SetUp() override;

  void BringUpDisplay(const ScreenSetup& screen = {});
  // Starts the game and waits for its window; a game started before is ended first.
  void Launch(const GameSetup& setup);

  std::string X(const std::string& command) const { return display_->Run(command); }
  void Click(Point at) const;
  // Presses and releases each of the space-separated keys in turn.
  void Key(const std::string& keys) const { X("xdotool key " + keys); }

  // Takes screenshots every `step` until one shows what `shows` wants; that one stays in `shot`.
  bool WaitForShot(const std::function<bool(const Image&)>& shows, std::chrono::milliseconds timeout,
                   std::chrono::milliseconds step = 25ms);

  // A top-level window named Zelvane that is not the game's own: a message box.
  std::optional<std::string> MessageBox() const;

  void WaitForTheButtons();
  void StartedShowsTheReadyBannerThenTheFirstWave();
  // Clicks Start, reads the first wave's two letters from the one shot that
  // shows it into `firstWave` and types them; returns once the score shows their 40 points.
  void TypeTheFirstWave();

  Image shot;
  std::vector<int> firstWave;
  // When the last screenshot that did not show what was waited for began, and when `shot` was done.
  Clock::time_point lastMissBegan;
  Clock::time_point shotDone;
  // The first wave came after this moment.
  Clock::time_point firstWaveAfter;
  std::unique_ptr<VirtualDisplay> display_;
  std::unique_ptr<GameProcess> game_;
  std::string window_;
};

}  // namespace zelvane::e2e

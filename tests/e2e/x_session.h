#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "screen/image.h"

namespace zelvane::e2e {

using namespace std::chrono_literals;

// Whether the X tools the tests drive the game with are installed.
bool XToolsInstalled();

// Polls `done` every `step` until it holds or `timeout` has passed; true if it held.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
               std::chrono::milliseconds step = 25ms);

// A fresh empty directory under the temporary directory, removed with everything in it.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The screen of a virtual display: its size in pixels and its density,
// which the server reports through the screen's size in millimetres.
struct ScreenSetup {
  int width = 640;
  int height = 480;
  int dpi = 100;
};

// A virtual X display of its own, on a display number the server picks.
class VirtualDisplay {
 public:
  explicit VirtualDisplay(const ScreenSetup& screen = {});
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  bool Up() const { return !name_.empty(); }
  // Such as ":12".
  const std::string& Name() const { return name_; }
  // Runs a shell command against this display; its standard output.
  std::string Run(const std::string& command) const;
  // Asks a window to close as a window manager does when its close box is
  // clicked: a WM_DELETE_WINDOW message of the WM_PROTOCOLS kind.
  bool SendDeleteWindow(const std::string& window) const;
  // Puts `resources` in the root window's RESOURCE_MANAGER property, as a
  // desktop's settings daemon does, for the programs started afterwards.
  bool SetResources(const std::string& resources) const;
  // Ends the server, as when a session ends or the connection breaks.
  void End();

 private:
  pid_t server_ = -1;
  std::string name_;
};

// How to start the game, beyond what every run gets.
struct GameSetup {
  // Where it runs; an empty path gives a fresh empty directory, removed with the process.
  std::filesystem::path directory{};
  // Copied into the working directory before the game starts.
  std::vector<std::filesystem::path> files{};
  // Set for the game after the defaults, so these win.
  std::vector<std::pair<std::string, std::string>> environment{};
};

// The game, started on a display. What it writes to standard error is kept
// and passed on to ours when the process object goes.
class GameProcess {
 public:
  GameProcess(const VirtualDisplay& display, const GameSetup& setup = {});
  ~GameProcess();
  GameProcess(const GameProcess&) = delete;
  GameProcess& operator=(const GameProcess&) = delete;

  pid_t Pid() const { return pid_; }
  const std::filesystem::path& WorkingDirectory() const { return directory_; }
  // The game's window, once it is on the display.
  std::optional<std::string> WaitForWindow(std::chrono::milliseconds timeout) const;
  // The exit status, once the process has ended within `timeout`.
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
  // What the window shows now, client area only.
  std::optional<Image> Screenshot(const std::string& window) const;
  // Everything the game has written to standard error so far.
  std::string ErrorOutput() const;

 private:
  const VirtualDisplay& display_;
  std::optional<ScratchDirectory> own_directory_;
  std::filesystem::path directory_;
  std::FILE* errors_ = nullptr;
  pid_t pid_ = -1;
  bool ended_ = false;
};

}  // namespace zelvane::e2e

#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "screen/image.h"

namespace zelvane::e2e {

using namespace std::chrono_literals;

// Whether the X tools the tests drive the game with are installed.
bool XToolsInstalled();

// Polls `done` until it holds or `timeout` has passed; true if it held.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// A virtual X display of its own, on a display number the server picks.
class VirtualDisplay {
 public:
  VirtualDisplay();
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  bool Up() const { return !name_.empty(); }
  // Such as ":12".
  const std::string& Name() const { return name_; }
  // Runs a shell command against this display; its standard output.
  std::string Run(const std::string& command) const;

 private:
  pid_t server_ = -1;
  std::string name_;
};

// The game, started on a display in an empty working directory of its own.
class GameProcess {
 public:
  explicit GameProcess(const VirtualDisplay& display);
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

 private:
  const VirtualDisplay& display_;
  std::filesystem::path directory_;
  pid_t pid_ = -1;
  bool ended_ = false;
};

}  // namespace zelvane::e2e

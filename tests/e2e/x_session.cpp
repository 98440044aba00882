#include "x_session.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "screen/atlas.h"

namespace zelvane::e2e {
namespace {

constexpr auto kPollStep = 25ms;

std::string ReadAll(FILE* pipe) {
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  return out;
}

// Ends a child we started: politely first, then for sure.
void Stop(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(10ms);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace

bool XToolsInstalled() {
  for (const char* tool : {"Xvfb", "xdotool", "xwininfo", "xprop", "import"}) {
    if (std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) != 0) return false;
  }
  return true;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(kPollStep);
  }
}

VirtualDisplay::VirtualDisplay() {
  int ready[2];
  if (pipe(ready) != 0) return;
  server_ = fork();
  if (server_ == 0) {
    close(ready[0]);
    const std::string fd = std::to_string(ready[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  // The server writes its display number once it accepts clients.
  std::string number;
  pollfd wait{ready[0], POLLIN, 0};
  while (number.find('\n') == std::string::npos && poll(&wait, 1, 10000) == 1) {
    char buffer[16];
    const ssize_t n = read(ready[0], buffer, sizeof buffer);
    if (n <= 0) break;
    number.append(buffer, static_cast<std::size_t>(n));
  }
  close(ready[0]);
  if (const auto end = number.find('\n'); end != std::string::npos) name_ = ":" + number.substr(0, end);
}

VirtualDisplay::~VirtualDisplay() {
  if (server_ > 0) Stop(server_);
}

std::string VirtualDisplay::Run(const std::string& command) const {
  FILE* pipe = popen(("DISPLAY=" + name_ + " " + command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return {};
  std::string out = ReadAll(pipe);
  pclose(pipe);
  return out;
}

GameProcess::GameProcess(const VirtualDisplay& display) : display_(display) {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelvane-e2e-XXXXXX").string();
  directory_ = mkdtemp(pattern.data());
  pid_ = fork();
  if (pid_ == 0) {
    if (chdir(directory_.c_str()) != 0) _exit(126);
    setenv("DISPLAY", display.Name().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // The X and SDL libraries keep some allocations to the end; they are not the game's.
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    execl(ZELVANE_EXECUTABLE, ZELVANE_EXECUTABLE, static_cast<char*>(nullptr));
    _exit(127);
  }
}

GameProcess::~GameProcess() {
  if (pid_ > 0 && !ended_) Stop(pid_);
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

std::optional<std::string> GameProcess::WaitForWindow(std::chrono::milliseconds timeout) const {
  std::string window;
  WaitUntil(
      [&] {
        window = display_.Run("xdotool search --onlyvisible --name '^Zelvane$'");
        if (const auto end = window.find('\n'); end != std::string::npos) window.resize(end);
        return !window.empty();
      },
      timeout);
  if (window.empty()) return std::nullopt;
  return window;
}

std::optional<int> GameProcess::WaitForExit(std::chrono::milliseconds timeout) {
  int status = 0;
  if (!WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, timeout)) return std::nullopt;
  ended_ = true;
  if (!WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

std::optional<Image> GameProcess::Screenshot(const std::string& window) const {
  const std::string png = display_.Run("import -window " + window + " png:-");
  return DecodePng(reinterpret_cast<const std::uint8_t*>(png.data()), png.size());
}

}  // namespace zelvane::e2e

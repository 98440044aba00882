#include "x_session.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "screen/atlas.h"

// Last: Xlib's macros would clash with names above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace zelvane::e2e {
namespace {

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

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout, std::chrono::milliseconds step) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(step);
  }
}

ScratchDirectory::ScratchDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelvane-e2e-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

VirtualDisplay::VirtualDisplay(const ScreenSetup& screen) {
  int ready[2];
  if (pipe(ready) != 0) return;
  server_ = fork();
  if (server_ == 0) {
    close(ready[0]);
    const std::string fd = std::to_string(ready[1]);
    const std::string size = std::to_string(screen.width) + "x" + std::to_string(screen.height) + "x24";
    const std::string dpi = std::to_string(screen.dpi);
    // No reset when the last client goes: a test may start the game again on the same display.
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", size.c_str(), "-dpi", dpi.c_str(), "-nolisten",
           "tcp", "-noreset", static_cast<char*>(nullptr));
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

VirtualDisplay::~VirtualDisplay() { End(); }

void VirtualDisplay::End() {
  if (server_ > 0) Stop(server_);
  server_ = -1;
}

std::string VirtualDisplay::Run(const std::string& command) const {
  FILE* pipe = popen(("DISPLAY=" + name_ + " " + command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return {};
  std::string out = ReadAll(pipe);
  pclose(pipe);
  return out;
}

bool VirtualDisplay::SendDeleteWindow(const std::string& window) const {
  Display* display = XOpenDisplay(name_.c_str());
  if (display == nullptr) return false;
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = std::stoul(window);
  message.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  message.xclient.format = 32;
  message.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  message.xclient.data.l[1] = CurrentTime;
  const bool sent = XSendEvent(display, message.xclient.window, False, NoEventMask, &message) != 0;
  XSync(display, False);
  XCloseDisplay(display);
  return sent;
}

bool VirtualDisplay::SetResources(const std::string& resources) const {
  Display* display = XOpenDisplay(name_.c_str());
  if (display == nullptr) return false;
  XChangeProperty(display, DefaultRootWindow(display), XInternAtom(display, "RESOURCE_MANAGER", False), XA_STRING, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(resources.data()),
                  static_cast<int>(resources.size()));
  XSync(display, False);
  XCloseDisplay(display);
  return true;
}

GameProcess::GameProcess(const VirtualDisplay& display, const GameSetup& setup)
    : display_(display), directory_(setup.directory), errors_(std::tmpfile()) {
  if (directory_.empty()) directory_ = own_directory_.emplace().Path();
  for (const auto& file : setup.files) {
    std::filesystem::copy_file(file, directory_ / file.filename(), std::filesystem::copy_options::overwrite_existing);
  }
  pid_ = fork();
  if (pid_ == 0) {
    if (chdir(directory_.c_str()) != 0) _exit(126);
    if (errors_ != nullptr) dup2(fileno(errors_), STDERR_FILENO);
    setenv("DISPLAY", display.Name().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // The X and SDL libraries keep some allocations to the end; they are not the game's.
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    for (const auto& [name, value] : setup.environment) setenv(name.c_str(), value.c_str(), 1);
    execl(ZELVANE_EXECUTABLE, ZELVANE_EXECUTABLE, static_cast<char*>(nullptr));
    _exit(127);
  }
}

GameProcess::~GameProcess() {
  if (pid_ > 0 && !ended_) Stop(pid_);
  if (errors_ == nullptr) return;
  std::fputs(ErrorOutput().c_str(), stderr);
  std::fclose(errors_);
}

std::optional<std::string> GameProcess::WaitForWindow(std::chrono::milliseconds timeout) const {
  std::string window;
  WaitUntil(
      [&] {
        window =
            display_.Run("xdotool search --all --onlyvisible --pid " + std::to_string(pid_) + " --name '^Zelvane$'");
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

std::string GameProcess::ErrorOutput() const {
  std::string out;
  if (errors_ == nullptr) return out;
  char buffer[4096];
  // The child moves the file's offset as it writes; reading at explicit offsets leaves it be.
  for (ssize_t n; (n = pread(fileno(errors_), buffer, sizeof buffer, static_cast<off_t>(out.size()))) > 0;) {
    out.append(buffer, static_cast<std::size_t>(n));
  }
  return out;
}

}  // namespace zelvane::e2e

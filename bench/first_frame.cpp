// Starts a program on the X display in DISPLAY and tells how long it took from
// just before its exec to its first top-level window being mapped, and to that
// window showing the colour RRGGBB at (X, Y) as read back from the X server:
// the first frame on screen. The pixel is read every half millisecond, so the
// figure is that much coarse, and it stops at the first frame that has the
// colour there, drawn completely or not.
//
// Usage: first_frame X Y RRGGBB PROGRAM [ARGUMENTS...]
// Prints `pid:`, `map_ms:` and `first_frame_ms:` lines, then waits for the
// program and exits with its status (1 if no frame came within ten seconds).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(10);
constexpr auto kPollStep = std::chrono::microseconds(500);

// The window may vanish between the map and the read; that is an answer too.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::optional<Window> WaitForMap(Display* display, Clock::time_point deadline) {
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  while (Clock::now() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display)) return event.xmap.window;
    }
    poll(&connection, 1, 10);
  }
  return std::nullopt;
}

std::optional<unsigned long> PixelAt(Display* display, Window window, int x, int y) {
  XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return std::nullopt;
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: first_frame X Y RRGGBB PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  const int x = std::atoi(argv[1]);
  const int y = std::atoi(argv[2]);
  const unsigned long colour = std::strtoul(argv[3], nullptr, 16);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "first_frame: cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreErrors);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    close(ConnectionNumber(display));
    execvp(argv[4], argv + 4);
    _exit(127);
  }
  std::printf("pid: %d\n", static_cast<int>(pid));
  std::fflush(stdout);

  const Clock::time_point deadline = start + kPatience;
  bool drawn = false;
  if (const auto window = WaitForMap(display, deadline)) {
    std::printf("map_ms: %.1f\n", MillisecondsSince(start));
    while (!drawn && Clock::now() < deadline) {
      drawn = PixelAt(display, *window, x, y) == colour;
      if (!drawn) std::this_thread::sleep_for(kPollStep);
    }
    if (drawn) std::printf("first_frame_ms: %.1f\n", MillisecondsSince(start));
  }
  std::fflush(stdout);
  XCloseDisplay(display);

  int status = 0;
  waitpid(pid, &status, 0);
  if (!drawn) return 1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

#include "platform/video_start.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace zelvane {
namespace {

// SDL's drivers that draw into memory only.
constexpr std::array<std::string_view, 3> kUnseenDrivers = {"offscreen", "dummy", "evdev"};

bool Set(const char* variable) {
  const char* value = SDL_getenv(variable);
  return value != nullptr && *value != '\0';
}

// SDL's own drivers in SDL's own order, less those nobody sees.
std::string SeenDrivers() {
  std::string list;
  for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
    const std::string_view driver = SDL_GetVideoDriver(i);
    if (std::find(kUnseenDrivers.begin(), kUnseenDrivers.end(), driver) != kUnseenDrivers.end()) continue;
    // No Wayland compositor can be reached without a runtime directory, and
    // its library would say so on standard error.
    if (driver == "wayland" && !Set("XDG_RUNTIME_DIR")) continue;
    if (!list.empty()) list += ',';
    list += driver;
  }
  return list;
}

std::string NoDisplay(const std::string& drivers) {
  const bool unixDisplays = drivers.find("x11") != std::string::npos || drivers.find("wayland") != std::string::npos;
  if (!unixDisplays) return SDL_GetError();
  if (Set("DISPLAY")) return std::string("no display answers at DISPLAY=") + SDL_getenv("DISPLAY");
  if (Set("WAYLAND_DISPLAY"))
    return std::string("no display answers at WAYLAND_DISPLAY=") + SDL_getenv("WAYLAND_DISPLAY");
  return "no display: DISPLAY is not set";
}

}  // namespace

bool StartVideo(std::string& reason) {
  if (Set("SDL_VIDEODRIVER")) {
    if (SDL_Init(SDL_INIT_VIDEO) == 0) return true;
    reason = SDL_GetError();
    return false;
  }
  const std::string drivers = SeenDrivers();
  if (drivers.empty()) {
    reason = "this SDL has no video driver that shows a window";
    return false;
  }
  // Above an empty SDL_VIDEODRIVER too, which SDL would take for no choice at all.
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, drivers.c_str(), SDL_HINT_OVERRIDE);
  if (SDL_Init(SDL_INIT_VIDEO) == 0) return true;
  reason = NoDisplay(drivers);
  return false;
}

}  // namespace zelvane

#pragma once

#include <SDL_syswm.h>
#include <windows.h>

namespace zelvane {

// The system's own window behind SDL's; null when there is none.
inline HWND WindowHandleOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WINDOWS) return nullptr;
  return info.info.win.window;
}

}  // namespace zelvane

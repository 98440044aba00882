#include <windows.h>

#include "platform/window_frame.h"
#include "platform/window_handle_windows.h"
#include "platform/windows_resources.h"

namespace zelvane {
namespace {

// The icon of the executable at the size the system wants for `metric`, for
// the window's screen density, so that it is drawn for that size and not scaled.
HICON ResourceIcon(HWND window, int metric) {
  const UINT dpi = GetDpiForWindow(window);
  const int side = dpi != 0 ? GetSystemMetricsForDpi(metric, dpi) : GetSystemMetrics(metric);
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ZELVANE_ICON_RESOURCE), IMAGE_ICON,
                                       side, side, LR_SHARED));
}

}  // namespace

void AskForPlainFrame(SDL_Window* window) {
  const HWND handle = WindowHandleOf(window);
  if (!handle) return;
  // SDL gives a window of fixed size a minimize box; the game's window has neither box.
  const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
  SetWindowLongPtrW(handle, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  SetWindowPos(handle, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Aware of each monitor's density, the game reads the scale the player chose
// for the monitor the window opens on, as its dots per inch (96 at 100 %).
std::optional<double> DisplayDensity(SDL_Window* window) {
  const HWND handle = WindowHandleOf(window);
  const UINT dpi = handle ? GetDpiForWindow(handle) : 0;
  if (dpi == 0) return std::nullopt;
  return static_cast<double>(dpi);
}

void OfferIconSizes(SDL_Window* window, std::initializer_list<Icon>) {
  const HWND handle = WindowHandleOf(window);
  if (!handle) return;
  // The executable's icon holds every size that the title bar, the taskbar
  // and Alt+Tab may ask for; shared icons stay loaded until the game ends.
  if (const HICON small = ResourceIcon(handle, SM_CXSMICON)) {
    SendMessageW(handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
  if (const HICON large = ResourceIcon(handle, SM_CXICON)) {
    SendMessageW(handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  }
}

void TellThePlayer(SDL_Window* window, const std::string& line) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Zelvane", line.c_str(), window);
}

}  // namespace zelvane

#include <SDL.h>
#include <windows.h>

#include <csignal>
#include <initializer_list>
#include <utility>

#include "platform/session_signals.h"
#include "platform/window_handle_windows.h"

namespace zelvane {
namespace {

// SDL's procedure for the game's one window, which handles every message after ours.
WNDPROC gSdlProcedure = nullptr;
std::function<void()> gClose;

// Once this message has returned with the session ending, the process may be
// ended at any moment, so the records are saved before it returns.
LRESULT CALLBACK SessionProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENDSESSION && wParam && gClose) gClose();
  return CallWindowProcW(gSdlProcedure, window, message, wParam, lParam);
}

}  // namespace

// Windows has no hangup and no broken pipe to ignore.
void QuitOnHangup() {}

// The message comes straight to the window's procedure, never through SDL's
// queue, where a quit would wait for a loop that may never come round again.
void CloseWhenTheSessionEnds(SDL_Window* window, std::function<void()> close) {
  gClose = std::move(close);
  if (gSdlProcedure) return;
  const HWND handle = WindowHandleOf(window);
  if (!handle) return;
  gSdlProcedure =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SessionProcedure)));
}

void EndAtOnceOnSignals() {
  for (const int signal : {SIGINT, SIGTERM}) std::signal(signal, SIG_DFL);
}

}  // namespace zelvane

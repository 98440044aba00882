#include <SDL.h>
#include <windows.h>

#include <csignal>
#include <initializer_list>

#include "platform/session_signals.h"

namespace zelvane {
namespace {

// Windows ends a session by asking each window first: the quit queued then is
// handled, and the records saved, as when the window is closed.
void SDLCALL QuitWhenTheSessionEnds(void*, void*, unsigned int message, Uint64, Sint64) {
  if (message != WM_QUERYENDSESSION) return;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

}  // namespace

// Windows has no hangup and no broken pipe to ignore; its session's end is a message.
void QuitOnHangup() { SDL_SetWindowsMessageHook(QuitWhenTheSessionEnds, nullptr); }

void EndAtOnceOnSignals() {
  SDL_SetWindowsMessageHook(nullptr, nullptr);
  for (const int signal : {SIGINT, SIGTERM}) std::signal(signal, SIG_DFL);
}

}  // namespace zelvane

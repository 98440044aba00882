#include <csignal>
#include <initializer_list>

#include "platform/session_signals.h"

namespace zelvane {
namespace {

// Raising is safe in a signal handler; SDL's own handler takes it from there.
void HangupAsTerminate(int) { std::raise(SIGTERM); }

}  // namespace

void QuitOnHangup() {
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGHUP, HangupAsTerminate);
}

void CloseWhenTheSessionEnds(SDL_Window*, std::function<void()>) {}

void EndAtOnceOnSignals() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
}

}  // namespace zelvane

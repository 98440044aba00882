#pragma once

#include <SDL.h>

#include <functional>

namespace zelvane {

// SDL turns SIGINT and SIGTERM into a quit, which saves the records as closing
// the window does. After SDL has started, this makes a hangup (the terminal
// closed, the session ended) do the same, and keeps a broken pipe on standard
// error from ending the game before it has saved.
void QuitOnHangup();

// Windows ends a session (the player signs out, the computer shuts down) by
// telling each window, and may end the process as soon as the window has
// answered: `close` is called there and then, before the answer. An empty
// `close` stops it. Elsewhere the session's end is a hangup, and this does nothing.
void CloseWhenTheSessionEnds(SDL_Window* window, std::function<void()> close);

// From now on those signals end the process at once, with nothing left to save.
void EndAtOnceOnSignals();

}  // namespace zelvane

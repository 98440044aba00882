#pragma once

namespace zelvane {

// SDL turns SIGINT and SIGTERM into a quit, which saves the records as closing
// the window does. After SDL has started, this makes a hangup (the terminal
// closed, the session ended) do the same, and keeps a broken pipe on standard
// error from ending the game before it has saved.
void QuitOnHangup();

// From now on those signals end the process at once, with nothing left to save.
void EndAtOnceOnSignals();

}  // namespace zelvane

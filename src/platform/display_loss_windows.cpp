#include "platform/display_loss.h"

namespace zelvane {

// Windows has no display connection to lose: the end of a session reaches the
// game as a message to its window instead (session_signals_windows.cpp).
void SaveWhenTheDisplayIsLost(Mform&) {}

}  // namespace zelvane

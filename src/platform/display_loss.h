#pragma once

#include "game/mform.h"

namespace zelvane {

// When the connection to the display breaks (the X server ended, the session
// went), the window system would end the process without a word to the game.
// This has the game close as if its window were closed, saving the records,
// say so on standard error and end with status 1. On Windows it does nothing
// (display_loss_windows.cpp).
void SaveWhenTheDisplayIsLost(Mform& form);

}  // namespace zelvane

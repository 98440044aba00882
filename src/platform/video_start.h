#pragma once

#include <string>

namespace zelvane {

// Starts SDL's video on a driver that shows a window. SDL would fall back to
// drivers that draw where nobody sees, and the game would run unseen until
// killed; those are taken only when the player names one in SDL_VIDEODRIVER.
// False with the reason in `reason` when no window can be shown.
bool StartVideo(std::string& reason);

}  // namespace zelvane

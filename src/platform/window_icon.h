#pragma once

#include <SDL.h>

namespace zelvane {

// Gives the window the game's icon: 32 x 32, and 16 x 16 beside it where the
// window system takes several sizes.
void SetGameIcon(SDL_Window* window);

}  // namespace zelvane

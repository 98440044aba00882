#pragma once

#include <SDL.h>

namespace zelvane {

// Asks the window manager for a frame without minimize and maximize buttons,
// and to place the window where it places new windows. Does nothing where the
// window system is not X11.
void AskForPlainFrame(SDL_Window* window);

// Gives the window the game's 32 x 32 icon.
void SetGameIcon(SDL_Window* window);

}  // namespace zelvane

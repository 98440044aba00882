// The least an SDL2 window costs: one window of the game's size on the same
// kind of surface, filled once with the grey the game's frame shows at (16, 16),
// then asleep in SDL_WaitEvent until it is closed. The yardstick for the
// game's memory and idle processor use in measure-window.sh.
#include <SDL.h>

#include <cstdio>

#include "screen/layout.h"

int main() {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "bare_window: no window system: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("bare SDL window", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                        zelvane::layout::kClientWidth, zelvane::layout::kClientHeight, 0);
  SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
  if (!surface) {
    std::fprintf(stderr, "bare_window: cannot open the window: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x80, 0x80, 0x80));
  SDL_UpdateWindowSurface(window);
  SDL_Event event;
  while (SDL_WaitEvent(&event) == 1 && event.type != SDL_QUIT) {
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}

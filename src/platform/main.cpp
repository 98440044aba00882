// Zelvane: opens the window and runs the game until End or the window closes.
#include <SDL.h>

#include <cstdio>

#include "game/mform.h"
#include "platform/sdl_window.h"
#include "screen/atlas.h"

extern const std::uint8_t zelvane_icon_png[];
extern const std::size_t zelvane_icon_png_size;
extern const std::uint8_t zelvane_captions_png[];
extern const std::size_t zelvane_captions_png_size;

int main(int, char**) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "zelvane: cannot start SDL: %s\n", SDL_GetError());
    return 1;
  }
  const auto icon = zelvane::DecodePng(zelvane_icon_png, zelvane_icon_png_size);
  const auto captions = zelvane::DecodePng(zelvane_captions_png, zelvane_captions_png_size);
  int status = 1;
  if (icon && captions) {
    zelvane::SilentCuePlayer cues;
    zelvane::Mform form(zelvane::Atlas(), cues);
    zelvane::SdlWindow window(form, *icon, *captions);
    if (window.Open()) status = window.Run();
  }
  SDL_Quit();
  return status;
}

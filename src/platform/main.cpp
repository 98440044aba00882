// Zelvane: the window, the game inside it and the sound, for as long as the game runs.
#include <SDL.h>

#include <cstdio>
#include <string>

#include "game/mform.h"
#include "platform/game_window.h"
#include "platform/sdl_cue_player.h"
#include "screen/atlas.h"
#include "sound/cues.h"

int main() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "zelvane: no window system: %s\n", SDL_GetError());
    return 1;
  }
  int status = 1;
  {
    zelvane::GameWindow window;
    if (window) {
      zelvane::SdlCuePlayer cues;
      zelvane::Mform form(zelvane::Atlas(), cues);
      form.DeliverLoad(zelvane::GameWindow::Now());
      window.Show(form);
      // The cues are read once the player sees the window, and never during play.
      for (const std::string& problem : cues.Load(zelvane::cue::kAll)) {
        std::fprintf(stderr, "zelvane: %s\n", problem.c_str());
      }
      status = window.Run(form);
    } else {
      std::fprintf(stderr, "zelvane: cannot open the window: %s\n", SDL_GetError());
    }
  }
  SDL_Quit();
  return status;
}

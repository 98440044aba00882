// Zelvane: the window, the game inside it and the sound, for as long as the game runs.
#include <SDL.h>

#include <cstdio>
#include <string>

#include "game/mform.h"
#include "platform/display_loss.h"
#include "platform/game_window.h"
#include "platform/sdl_cue_player.h"
#include "platform/session_signals.h"
#include "platform/video_start.h"
#include "screen/atlas.h"
#include "sound/cues.h"

// SDL enters here on every system; on Windows through its own WinMain.
int main(int, char*[]) {
  std::string reason;
  if (!zelvane::StartVideo(reason)) {
    std::fprintf(stderr, "zelvane: cannot open a window: %s\n", reason.c_str());
    return 1;
  }
  zelvane::QuitOnHangup();
  int status = 1;
  {
    zelvane::GameWindow window;
    if (window) {
      zelvane::SdlCuePlayer cues;
      zelvane::Mform form(zelvane::Atlas(), cues);
      form.DeliverLoad(zelvane::GameWindow::Now());
      zelvane::SaveWhenTheDisplayIsLost(form);
      window.Show(form);
      // The cues are read once the player sees the window, and never during play.
      for (const std::string& problem : cues.Load(zelvane::cue::kAll)) {
        std::fprintf(stderr, "zelvane: %s\n", problem.c_str());
      }
      status = window.Run(form);
    } else {
      std::fprintf(stderr, "zelvane: cannot open a window: %s\n", SDL_GetError());
    }
  }
  SDL_Quit();
  return status;
}

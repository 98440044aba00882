// Zelvane in a browser tab. The page's canvas is the window, and the page
// calls the game once per animation frame: a page must never wait, so the
// desktop's sleeping event loop becomes a step per frame.
#include <SDL.h>
#include <emscripten.h>

#include <array>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <span>
#include <string>

#include "game/mform.h"
#include "platform/browser_scores.h"
#include "platform/frame_step.h"
#include "platform/game_window.h"
#include "platform/sdl_cue_player.h"
#include "screen/atlas.h"
#include "sound/cues.h"

namespace zelvane {
namespace {

// Opening the sound device holds the page up for a fifth of a second (in
// headless Chromium on a small machine), so it opens once the title is over:
// the first frame comes that much sooner, and no cue plays before Start. The
// page fetches the cue files after the first frame, and each is read as soon
// as it is here, so a slow line delays a cue, never the game.
class LateCues final : public CuePlayer {
 public:
  LateCues() {
    for (const char* name : cue::kAll) EM_ASM({ Module.fetchCue(UTF8ToString($0)); }, name);
  }
  void Open() {
    if (!player_) player_.emplace(SdlCuePlayer::kForever);
    for (std::size_t i = 0; i < cue::kAll.size(); ++i) {
      if (read_[i] || !EM_ASM_INT({ return Module.cueArrived(UTF8ToString($0)); }, cue::kAll[i])) continue;
      read_[i] = true;
      for (const std::string& problem : player_->Load(std::span(&cue::kAll[i], 1))) {
        std::fprintf(stderr, "zelvane: %s\n", problem.c_str());
      }
    }
  }
  void Play(const char* name) override {
    if (player_) player_->Play(name);
  }

 private:
  std::optional<SdlCuePlayer> player_;
  std::array<bool, cue::kAll.size()> read_{};
};

struct Game {
  GameWindow window;
  LateCues cues;
  StoredRecordsFiles files;
  Mform form{Atlas(), cues, files};
};

// A tab can be closed at any moment, and a closing page can no longer write
// to the browser's storage: so the page saves the records as soon as a
// game's score enters the table, not only by End.
void Frame(void* game) {
  auto& [window, cues, files, form] = *static_cast<Game*>(game);
  const auto table = form.state.hiScores;
  RunFrame(window, form);
  if (!form.OPtimer.Enabled()) cues.Open();
  if (form.EndRequested()) {
    // A tab cannot end its process: nothing more runs, the page saves the
    // records, tells the player and offers to play again.
    emscripten_cancel_main_loop();
    EM_ASM({ Module.gameEnded(); });
  } else if (form.state.hiScores != table) {
    EM_ASM({ Module.saveScores(); });
  }
}

}  // namespace
}  // namespace zelvane

int main() {
  // The game takes only the keys pressed while its canvas has the focus;
  // the rest of the page keeps its own.
  SDL_SetHint(SDL_HINT_EMSCRIPTEN_KEYBOARD_ELEMENT, "#canvas");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "zelvane: no canvas: %s\n", SDL_GetError());
    return 1;
  }
  // Lives as long as the page.
  auto* game = new zelvane::Game;
  if (!game->window) {
    std::fprintf(stderr, "zelvane: cannot open the window: %s\n", SDL_GetError());
    return 1;
  }
  zelvane::ServeScores(game->form, game->files);
  game->form.DeliverLoad(zelvane::GameWindow::Now());
  game->window.Show(game->form);
  // A tick that fell due while the game was being made fires once, now, as
  // in the desktop loop; from here on each tick comes at its own moment.
  while (zelvane::DeliverDueTickNow(game->form)) {
  }
  emscripten_set_main_loop_arg(zelvane::Frame, game, 0, false);
  return 0;
}

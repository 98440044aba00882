#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/display_loss.h"
#include "platform/game_window.h"

#include <X11/Xlib.h>

namespace zelvane {
namespace {

Mform* gForm = nullptr;

// Xlib ends the process itself if this returns, so it never does.
int SaveAndEnd(Display*) {
  std::fputs("zelvane: lost the connection to the display\n", stderr);
  CloseBeforeTheEnd(*gForm);
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

void SaveWhenTheDisplayIsLost(Mform& form) {
  gForm = &form;
  XSetIOErrorHandler(SaveAndEnd);
}

}  // namespace zelvane

#include <SDL_syswm.h>

#include <cstring>

#include "platform/dropped_keys.h"

namespace zelvane {

void WatchForDroppedKeys() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && std::strcmp(driver, "x11") == 0) SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

bool IsDroppedKeyPress(const SDL_Event& event) {
  if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr || event.syswm.msg->subsystem != SDL_SYSWM_X11 ||
      event.syswm.msg->msg.x11.event.type != KeyPress) {
    return false;
  }
  // SDL queues the key event it makes of an X event right behind that X
  // event's own, before the next X event's; no event type lies between these two.
  SDL_Event next;
  return SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_SYSWMEVENT, SDL_KEYDOWN) != 1 || next.type != SDL_KEYDOWN;
}

}  // namespace zelvane

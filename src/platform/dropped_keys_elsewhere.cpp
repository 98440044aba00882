#include "platform/dropped_keys.h"

namespace zelvane {

// Only X11's own events are searched for the presses SDL drops.
void WatchForDroppedKeys() {}

bool IsDroppedKeyPress(const SDL_Event&) { return false; }

}  // namespace zelvane

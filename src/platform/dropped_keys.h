#pragma once

#include <SDL.h>

namespace zelvane {

// SDL makes no key event of a key it has no code for (on X11 XF86AudioPause,
// XF86Launch3, Linefeed and others that a keyboard may well have), yet in play
// every press is a hit or a miss. These find such presses among the window
// system's own events, where the window system is X11; elsewhere they find none.

// Asks SDL to pass on the window system's events, from which the dropped presses are read.
void WatchForDroppedKeys();

// Whether `event` is a key press of the window system that SDL made no key
// event of: true once for each such press. Ask before taking the events behind it from the queue.
bool IsDroppedKeyPress(const SDL_Event& event);

}  // namespace zelvane

#pragma once

#include "game/mform.h"
#include "window/button_input.h"
#include "window/window_image.h"

namespace zelvane {

// What the game window shows right now: its panels at their places and its
// buttons where the game put them, looking as the player's input has them.
WindowScene SceneOf(Mform& form, const ButtonInput& input);

}  // namespace zelvane

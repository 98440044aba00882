#pragma once

#include <cstdint>

#include "game/mform.h"
#include "platform/game_window.h"

namespace zelvane {

// How late a tick may be and still be delivered at the moment it fell due.
// Later than this, the host stopped calling (a hidden browser tab gets no
// frames), and each timer fires once, late, as a desktop timer does.
inline constexpr std::int64_t kFrameCatchUp = 250;

// Delivers every tick due by `until` in order, each at its own due moment, as
// the desktop loop's punctual wake-ups do: the title's 5 ms steps keep their
// pace though a frame comes only every 16 ms or so.
void DeliverTicksUntil(Mform& form, std::int64_t until);

// One frame of a loop that its host calls rather than one that waits: the
// events queued since the last frame, each after the ticks that fell due
// before it, then the ticks due by now, then the picture.
void RunFrame(GameWindow& window, Mform& form);

}  // namespace zelvane

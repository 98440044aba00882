#pragma once

#include <optional>

#include "game/mform.h"

namespace zelvane {

// The phases a game passes through, in their order; after the results the title
// comes round again. The game keeps no phase variable: the phase is read off
// the window's switches.
enum class Phase { Title, Waiting, Ready, Playing, Curtain, Hold, Results, Ended };

// Its name in messages: "title", "waiting", ..., "game-over hold", "results", "ended".
const char* NameOf(Phase phase);

// The phase the window is in. The running timers tell most phases apart; with
// none running, the enabled buttons tell waiting from a game that ended with End.
// Nothing when the switches match no phase, which a sound game never shows.
std::optional<Phase> PhaseOf(const Mform& form);

}  // namespace zelvane

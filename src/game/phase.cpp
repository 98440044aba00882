#include "game/phase.h"

namespace zelvane {

const char* NameOf(Phase phase) {
  constexpr const char* kNames[] = {"title",   "waiting",        "ready",   "playing",
                                    "curtain", "game-over hold", "results", "ended"};
  return kNames[static_cast<int>(phase)];
}

std::optional<Phase> PhaseOf(const Mform& form) {
  if (form.EndRequested()) return Phase::Ended;
  const bool op = form.OPtimer.Enabled(), st = form.STtimer.Enabled(), gm = form.GMtime.Enabled(),
             at = form.ATtimer.Enabled(), go = form.GOtimer.Enabled(), ov = form.OVtimer.Enabled(),
             pc = form.PointCtimer.Enabled();
  const int running = op + st + gm + at + go + ov + pc;
  if (running == 0) {
    if (form.Cm1[0].enabled && form.Cm1[1].enabled) return Phase::Waiting;
    return std::nullopt;
  }
  // The warning blinks beside the descent once ten letters have landed.
  if (gm && running == 1 + at) return Phase::Playing;
  if (running != 1) return std::nullopt;
  if (op) return Phase::Title;
  if (st) return Phase::Ready;
  if (go) return Phase::Curtain;
  if (ov) return Phase::Hold;
  if (pc) return Phase::Results;
  return std::nullopt;
}

}  // namespace zelvane

#pragma once

#include <cstdint>

#include "game/mform.h"

namespace zelvane {

// Drives the window's timers on made-up time: every tick is delivered at exactly
// its due moment, in order, as a perfectly punctual window system would.
inline void RunUntil(Mform& form, std::int64_t until) {
  for (auto due = form.NextDue(); due && *due <= until && !form.EndRequested(); due = form.NextDue()) {
    form.DeliverDueTick(*due);
  }
  if (form.clock.now < until) form.clock.now = until;
}

inline void RunFor(Mform& form, std::int64_t milliseconds) { RunUntil(form, form.clock.now + milliseconds); }

}  // namespace zelvane

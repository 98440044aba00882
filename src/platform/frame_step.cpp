#include "platform/frame_step.h"

#include <SDL.h>

namespace zelvane {
namespace {

// An event's moment on the game's clock; SDL stamps events with the low 32
// bits of the same milliseconds.
std::int64_t MomentOf(const SDL_Event& event, std::int64_t now) {
  return now - static_cast<Uint32>(static_cast<Uint32>(now) - event.common.timestamp);
}

}  // namespace

void DeliverTicksUntil(Mform& form, std::int64_t until) {
  for (auto due = form.NextDue(); due && *due <= until && !form.EndRequested(); due = form.NextDue()) {
    form.DeliverDueTick(*due >= until - kFrameCatchUp ? *due : until);
  }
}

void RunFrame(GameWindow& window, Mform& form) {
  SDL_Event event;
  while (!form.EndRequested() && SDL_PollEvent(&event)) {
    DeliverTicksUntil(form, MomentOf(event, GameWindow::Now()));
    if (!form.EndRequested()) window.Handle(form, event);
  }
  DeliverTicksUntil(form, GameWindow::Now());
  if (!form.EndRequested()) window.Present(form);
}

}  // namespace zelvane

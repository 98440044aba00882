#include "game/timer.h"

namespace zelvane {

Timer::Timer(const Clock& clock, std::int32_t interval, bool enabled)
    : clock_(clock), interval_(interval), enabled_(enabled), due_(clock.now + Period()) {}

void Timer::Enable() {
  if (enabled_) return;
  enabled_ = true;
  due_ = clock_.now + Period();
}

void Timer::Fired(std::int64_t now) {
  due_ += Period();
  if (due_ <= now) due_ = now + Period();
}

}  // namespace zelvane

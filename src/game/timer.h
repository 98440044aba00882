#pragma once

#include <cstdint>

namespace zelvane {

// The window's notion of now, in milliseconds: the moment of the event being
// handled, which every delivery to the window carries (the real event loop's
// from the monotonic clock, a test's from a virtual one).
struct Clock {
  std::int64_t now = 0;
};

// A window timer: an interval in milliseconds and an enabled switch. Enabling
// starts a fresh countdown; a new interval is used from the following tick on,
// so the player's typing (which shortens the descent interval on every hit)
// never postpones the tick already counting down.
class Timer {
 public:
  Timer(const Clock& clock, std::int32_t interval, bool enabled);

  bool Enabled() const { return enabled_; }
  void Enable();
  void Disable() { enabled_ = false; }
  void SetEnabled(bool enabled) { enabled ? Enable() : Disable(); }
  std::int32_t Interval() const { return interval_; }
  void SetInterval(std::int32_t interval) { interval_ = interval; }

  // When the next tick falls due; meaningful only while enabled.
  std::int64_t Due() const { return due_; }
  // Called as the tick is delivered at `now`. A late timer fires once and
  // counts its next interval from now; it does not catch up.
  void Fired(std::int64_t now);

 private:
  std::int64_t Period() const { return interval_ > 0 ? interval_ : 1; }

  const Clock& clock_;
  std::int32_t interval_;
  bool enabled_;
  std::int64_t due_;
};

}  // namespace zelvane

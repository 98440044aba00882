#include "game/random.h"

#include <chrono>

namespace zelvane {

void Random::SeedFromClock() {
  Seed(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

double Random::Next() {
  if (!scripted_.empty()) {
    const double value = scripted_.front();
    scripted_.pop_front();
    return value;
  }
  // 53 random bits scaled by 2^-53: never reaches 1.
  return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace zelvane

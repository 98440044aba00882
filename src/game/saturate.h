#pragma once

#include <cstdint>
#include <limits>

namespace zelvane {

// No ordinary game gets near these widths; should one get there, the value
// sticks at its limit instead of wrapping round or ending the game.
template <typename T>
constexpr T AddSaturated(T value, std::int64_t delta) {
  const std::int64_t sum = static_cast<std::int64_t>(value) + delta;
  if (sum > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
  if (sum < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
  return static_cast<T>(sum);
}

}  // namespace zelvane

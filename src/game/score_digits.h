#pragma once

#include <array>
#include <cstdint>

namespace zelvane {

// A score as the six digits the displays show, with leading zeros. A score that
// needs more than six digits shows 999999: its first six digits would tell the
// player a wrong, smaller score.
inline std::array<int, 6> SixScoreDigits(std::int32_t score) {
  constexpr std::int32_t kMostShown = 999999;
  std::int32_t rest = score < 0 ? 0 : (score > kMostShown ? kMostShown : score);
  std::array<int, 6> digits{};
  for (int i = 5; i >= 0; --i) {
    digits[static_cast<std::size_t>(i)] = rest % 10;
    rest /= 10;
  }
  return digits;
}

}  // namespace zelvane

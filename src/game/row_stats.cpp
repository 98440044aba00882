// Letters spawned and landed per keyboard row, and the share kept from landing.
#include <cmath>

#include "game/mform.h"
#include "game/saturate.h"

namespace zelvane {

void Mform::CountRowStat(std::int16_t code, std::int16_t mode) {
  if (mode == kCountLanded || mode == kCountSpawned) {
    if (code < kLetterA || code > kLetterZ) return;
    const auto row = static_cast<std::size_t>(kRowOfLetter[static_cast<std::size_t>(code)]);
    std::int16_t& counter = mode == kCountLanded ? state.rowLanded[row] : state.rowSpawned[row];
    counter = AddSaturated(counter, 1);
    return;
  }
  for (std::size_t row = 0; row < kKeyboardRows; ++row) {
    if (state.rowLanded[row] == 0) {
      state.rowRate[row] = 100;
      continue;
    }
    // A saturated spawn counter can fall behind the landed one: nothing of the row was kept.
    if (state.rowLanded[row] >= state.rowSpawned[row]) {
      state.rowRate[row] = 0;
      continue;
    }
    // Divide first, then multiply: 29 of 100 gives just under 29, so 72 is kept.
    const double landedPercent = static_cast<double>(state.rowLanded[row]) / state.rowSpawned[row] * 100;
    state.rowRate[row] = static_cast<std::int16_t>(100 - static_cast<int>(std::floor(landedPercent)));
  }
}

}  // namespace zelvane

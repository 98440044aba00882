#pragma once

#include <array>
#include <cstdint>

namespace zelvane {

// The three letter rows of the keyboard, used as indexes into the row
// statistics; the results rate each row apart, and each letter's tile wears its
// row's colour.
inline constexpr int kKeyboardRows = 3;
inline constexpr std::int16_t RowTop = 0;
inline constexpr std::int16_t RowHome = 1;
inline constexpr std::int16_t RowBottom = 2;

// The keyboard row of each letter A..Z.
inline constexpr std::array<std::int16_t, 26> kRowOfLetter{
    RowHome, RowBottom, RowBottom, RowHome,   RowTop,    RowHome,   RowHome, RowHome,   RowTop,
    RowHome, RowHome,   RowHome,   RowBottom, RowBottom, RowTop,    RowTop,  RowTop,    RowTop,
    RowHome, RowTop,    RowTop,    RowBottom, RowTop,    RowBottom, RowTop,  RowBottom,
};

// What CountRowStat does: count a letter as landed, count it as spawned, or
// work out every row's rate anew (the code is then ignored).
inline constexpr std::int16_t kCountLanded = 0;
inline constexpr std::int16_t kCountSpawned = 1;
inline constexpr std::int16_t kUpdateRates = 2;

}  // namespace zelvane

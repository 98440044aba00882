#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zelvane {

inline constexpr std::size_t kRecordCount = 5;

// A score takes six digits on screen and in the records file: one larger than
// this shows and saves as this.
inline constexpr std::int32_t kScoreCap = 999999;

// The five best scores, best first; entries are 0 or more.
using HiScores = std::array<std::int32_t, kRecordCount>;

// Enters a finished game's score: it goes above the first entry it beats
// strictly, so it lands below an equal one, and the last entry drops off.
// A score that does not beat the fifth entry leaves the table as it is.
// True when the score entered.
bool InsertScore(HiScores& table, std::int32_t score);

}  // namespace zelvane

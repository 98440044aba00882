#include "records/high_scores.h"

#include <algorithm>

namespace zelvane {

bool InsertScore(HiScores& table, std::int32_t score) {
  const auto place = std::find_if(table.begin(), table.end(), [score](std::int32_t entry) { return entry < score; });
  if (place == table.end()) return false;
  std::move_backward(place, table.end() - 1, table.end());
  *place = score;
  return true;
}

}  // namespace zelvane

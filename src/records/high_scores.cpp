#include "records/high_scores.h"

#include <algorithm>

namespace zelvane {

void InsertScore(HiScores& table, std::int32_t score) {
  const auto place = std::find_if(table.begin(), table.end(), [score](std::int32_t entry) { return entry < score; });
  if (place == table.end()) return;
  std::move_backward(place, table.end() - 1, table.end());
  *place = score;
}

}  // namespace zelvane

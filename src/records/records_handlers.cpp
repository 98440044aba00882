// The window's side of the high-score table: the records file in the working
// directory, read at start, written when the game ends.
#include <cstdio>

#include "game/mform.h"
#include "records/high_scores.h"
#include "records/records_file.h"

namespace zelvane {
void Mform::LoadRecords() {
  const LoadOutcome outcome = LoadRecordsFile(kRecordsFileName);
  if (!outcome.problem.empty()) std::fprintf(stderr, "zelvane: %s\n", outcome.problem.c_str());
  state.hiScores = outcome.scores;
}

bool Mform::SaveRecords() {
  const LocalStamp stamp = NowStamp();
  const std::string problem =
      SaveRecordsFile(kRecordsFileName, FormatRecordsFile(state.hiScores, stamp.date, stamp.time));
  if (problem.empty()) return true;
  std::fprintf(stderr, "zelvane: %s\n", problem.c_str());
  return false;
}

void Mform::InsertRecord() { InsertScore(state.hiScores, state.score); }

}  // namespace zelvane

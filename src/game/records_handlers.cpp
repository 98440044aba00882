// The window's side of the high-score table: the records file in the working
// directory, read at start, written when the game ends.
#include <cstdio>

#include "game/mform.h"
#include "records/high_scores.h"
#include "records/records_file.h"

namespace zelvane {
namespace {

void Say(const std::string& line) { std::fprintf(stderr, "zelvane: %s\n", line.c_str()); }

// A score that enters the shown table is remembered apart, so that a save
// can enter it into the table on disk, whatever other games wrote there meanwhile.
void Enter(std::int32_t score, HiScores& shown, RecordsRun& run) {
  if (InsertScore(shown, score)) InsertScore(run.entered, score);
}

}  // namespace

void Mform::LoadRecords() {
  const LoadOutcome outcome = LoadRecordsFile(kRecordsFileName, files_);
  if (outcome.kind == LoadOutcome::Kind::Unreadable) {
    Say(outcome.problem + "; the scores start from zero, and the first save keeps the file aside");
  } else if (!outcome.problem.empty()) {
    Say(outcome.problem + "; the scores start from zero");
  }
  state.hiScores = outcome.scores;
  records_.loaded = outcome.scores;
}

bool Mform::SaveRecords() {
  const SaveOutcome outcome = SaveRecordsFile(kRecordsFileName, records_, NowStamp(), files_);
  for (const std::string& note : outcome.notes) Say(note);
  saveProblem_ = outcome.problem;
  if (outcome.problem.empty()) {
    // The file now holds this run's scores: a later save in the same run (the
    // browser saves after every game) enters only the ones that come after.
    records_ = {outcome.saved, {}};
    return true;
  }
  Say(outcome.problem);
  return false;
}

void Mform::InsertRecord() { Enter(state.score, state.hiScores, records_); }

void Mform::EnterScores(const HiScores& scores) {
  for (const std::int32_t score : scores) Enter(score, state.hiScores, records_);
}

}  // namespace zelvane

// The window's side of the high-score table: the records file in the working
// directory, read at start, written when the game ends.
#include <cstdio>
#include <utility>

#include "game/mform.h"
#include "records/high_scores.h"
#include "records/records_file.h"
#include "screen/layout.h"

namespace zelvane {
namespace {

// A save waits this long before the player is told in a box: the wait for
// another game's save is mostly over long before.
constexpr std::int64_t kTellWaitingAfter = 1000;

// For standard error, as soon as the save waits.
std::string WaitingLine(SaveWait wait) {
  const std::string file = kRecordsFileName;
  if (wait == SaveWait::ForAnotherGame) {
    return file + ": another game is saving the records; waiting for it (End or closing the window gives up)";
  }
  return file + ": in use by another program; trying again for a few seconds";
}

// For the player's box, once the wait goes on.
std::string WaitingNotice(SaveWait wait) {
  if (wait == SaveWait::ForAnotherGame) {
    return "Another Zelvane in this folder is saving the scores; this one saves them as soon as it is done. End, or "
           "closing the window, gives up.";
  }
  return std::string(kRecordsFileName) +
         " is in use by another program; the scores are saved as soon as it lets go, if it does within a few seconds.";
}

// A score that enters the shown table is remembered apart, so that a save
// can enter it into the table on disk, whatever other games wrote there meanwhile.
void Enter(std::int32_t score, HiScores& shown, RecordsRun& run) {
  if (InsertScore(shown, score)) InsertScore(run.entered, score);
}

}  // namespace

void Mform::Say(const std::string& line) { std::fprintf(stderr, "zelvane: %s\n", line.c_str()); }

void Mform::Tell(const std::string& line) {
  Say(line);
  notices_.push_back(line);
}

std::vector<std::string> Mform::TakeNotices() { return std::exchange(notices_, {}); }

void Mform::LoadRecords() {
  const LoadOutcome outcome = LoadRecordsFile(kRecordsFileName, files_);
  if (outcome.kind == LoadOutcome::Kind::Unreadable) {
    Tell(outcome.problem + "; the scores start from zero, and the first save keeps the file aside");
    toldKeptAside_ = true;
  } else if (!outcome.problem.empty()) {
    Say(outcome.problem + "; the scores start from zero");
  }
  state.hiScores = outcome.scores;
  records_.loaded = outcome.scores;
  if (const std::string cannot = CheckRecordsCanBeSaved(kRecordsFileName, outcome, files_); !cannot.empty()) {
    Tell(cannot);
  }
}

bool Mform::SaveRecords() {
  const SaveOutcome outcome = SaveRecordsFile(kRecordsFileName, records_, NowStamp(), files_);
  for (const std::string& note : outcome.notes) Say(note);
  if (!outcome.keptAside.empty()) {
    if (toldKeptAside_) {
      Say(outcome.keptAside);
    } else {
      Tell(outcome.keptAside);
    }
    toldKeptAside_ = true;
  }
  saveProblem_ = outcome.problem;
  saveWait_ = outcome.wait;
  if (outcome.problem.empty()) {
    // The file now holds this run's scores: a later save in the same run (the
    // browser saves after every game) enters only the ones that come after.
    records_ = {outcome.saved, {}};
    return true;
  }
  if (outcome.wait == SaveWait::None) Say(outcome.problem);
  return false;
}

// A handler must not wait: a save that cannot be made yet is tried again from
// the event loop (NextDue, DeliverDueTick), the window answering meanwhile.
void Mform::EndAfterSaving() {
  const bool saved = SaveRecords();
  const bool firstTry = !saveRetryAt_;
  saveRetryAt_ = saved ? std::nullopt : savePauses_.Next(clock.now, saveWait_);
  if (!saveRetryAt_) {
    if (!saved && saveWait_ != SaveWait::None) Say(saveProblem_);
    EndProcess(saved ? 0 : 1);
    return;
  }
  if (firstTry) {
    waitingSince_ = clock.now;
    Say(WaitingLine(saveWait_));
    // End gives the save up; Start stays out of reach.
    Cm1[1].left = layout::kButtonInLeft;
    Cm1[1].enabled = true;
  } else if (!toldWaiting_ && clock.now - waitingSince_ >= kTellWaitingAfter) {
    toldWaiting_ = true;
    notices_.push_back(WaitingNotice(saveWait_));
  }
}

void Mform::GiveUpSaving() {
  saveRetryAt_.reset();
  Say(saveProblem_);
  EndProcess(1);
}

void Mform::InsertRecord() { Enter(state.score, state.hiScores, records_); }

void Mform::EnterScores(const HiScores& scores) {
  for (const std::int32_t score : scores) Enter(score, state.hiScores, records_);
}

}  // namespace zelvane

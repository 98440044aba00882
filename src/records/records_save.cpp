// Saving the records beside other games: the lock, the table on disk read
// afresh, an unreadable file kept aside, and this run's scores entered.
#include <algorithm>

#include "records/records_file.h"
#include "records/save_names.h"

namespace zelvane {

namespace {

// Lets go of the records' lock, if it was had, when the save is over.
class HeldLock {
 public:
  HeldLock(FileSystem& files, FileHandle lock) : files_(files), lock_(lock) {}
  ~HeldLock() {
    if (lock_ != kNoFile) files_.Unlock(lock_);
  }
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;

 private:
  FileSystem& files_;
  FileHandle lock_;
};

// YYYYMMDD-HHMMSS from the stamp's date and time.
std::string CompactStamp(const LocalStamp& stamp) {
  std::string compact;
  for (const char c : stamp.date + "-" + stamp.time) {
    if ((c >= '0' && c <= '9') || c == '-') compact += c;
  }
  return compact;
}

// Renames the unreadable file to a name beside it that nothing has yet: the
// time, and random digits after it while that is taken.
std::error_code MoveAside(FileSystem& files, const std::string& path, const LocalStamp& stamp, std::string& aside) {
  const std::string first = path + ".unreadable-" + CompactStamp(stamp);
  aside = first;
  std::error_code error = files.MoveAside(path, aside);
  for (int tries = 0; error == std::errc::file_exists && tries < kRandomNameTries; ++tries) {
    aside = first + "-" + RandomHex();
    error = files.MoveAside(path, aside);
  }
  return error;
}

// While this save holds the lock no other save can be writing, so every
// temporary beside the records is a killed save's.
void RemoveDeadTemporaries(FileSystem& files, const std::string& target) {
  for (const std::string& name : files.NamesExtending(target)) {
    if (IsTemporaryEnding(std::string_view(name).substr(target.size()))) files.Remove(name);
  }
}

}  // namespace

SaveOutcome SaveRecordsFile(const std::string& path, const RecordsRun& run, const LocalStamp& stamp,
                            FileSystem& files) {
  SaveOutcome outcome;
  const std::string target = files.FinalPath(path);
  const Locked locked = files.TryLock(target);
  switch (locked.state) {
    case LockState::Busy:
      // Writing now could put back a table that the other game is about to replace.
      outcome.problem = path + ": not saved: another game kept the records locked";
      outcome.wait = SaveWait::ForAnotherGame;
      return outcome;
    case LockState::Failed:
      outcome.notes.push_back(path + ": cannot lock the records, saving without: " + locked.error.message());
      break;
    case LockState::Held:
      RemoveDeadTemporaries(files, target);
      break;
    case LockState::Unsupported:
      break;
  }
  const HeldLock lock(files, locked.state == LockState::Held ? locked.lock : kNoFile);

  const LoadOutcome onDisk = LoadRecordsFile(path, files);
  if (onDisk.kind == LoadOutcome::Kind::InUse) {
    outcome.problem = path + ": not saved: cannot read the table on disk: " + FileInUse().message();
    outcome.wait = SaveWait::ForTheFile;
    return outcome;
  }
  HiScores table = onDisk.kind == LoadOutcome::Kind::Table ? onDisk.scores : run.loaded;
  std::string writeTo = target;
  if (onDisk.kind == LoadOutcome::Kind::Unreadable) {
    // The name in the game's folder is kept aside, a link as a link: what a
    // link leads to (a device, a folder) is not the game's to rename.
    std::string aside;
    if (const std::error_code error = MoveAside(files, path, stamp, aside)) {
      outcome.problem = path + ": not saved: cannot keep the unreadable " + path + " as " + aside + ": " +
                        error.message() + " (" + onDisk.problem + ")";
      if (error == FileInUse()) outcome.wait = SaveWait::ForTheFile;
      return outcome;
    }
    outcome.keptAside = onDisk.problem + "; kept as " + aside;
    writeTo = path;
  }
  for (const std::int32_t score : run.entered) InsertScore(table, score);

  const Written written = WriteRecordsFile(writeTo, FormatRecordsFile(table, stamp.date, stamp.time), files);
  outcome.problem = written.problem;
  if (written.inUse) outcome.wait = SaveWait::ForTheFile;
  if (outcome.problem.empty()) outcome.saved = table;
  return outcome;
}

std::optional<std::int64_t> SavePauses::Next(std::int64_t now, SaveWait wait) {
  switch (wait) {
    case SaveWait::None:
      return std::nullopt;
    case SaveWait::ForAnotherGame:
      return now + kAnotherGameStep;
    case SaveWait::ForTheFile:
      break;
  }
  if (!inUseSince_) inUseSince_ = now;
  if (now - *inUseSince_ >= kInUsePatience) return std::nullopt;
  const std::int64_t next = now + inUsePause_;
  inUsePause_ = std::min(inUsePause_ * 2, kLongestInUsePause);
  return next;
}

}  // namespace zelvane

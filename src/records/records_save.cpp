// Saving the records beside other games: the lock, the table on disk read
// afresh, an unreadable file kept aside, and this run's scores entered.
#include <algorithm>
#include <thread>

#include "records/records_file.h"

namespace zelvane {

namespace {

// Names tried for keeping an unreadable file, after the first one.
constexpr int kMoreAsideNames = 99;
constexpr std::chrono::milliseconds kLockRetryStep{5};

// Holds the records' lock, if it can be had, for as long as it lives.
class RecordsLock {
 public:
  RecordsLock(FileSystem& files, const std::string& target, std::chrono::milliseconds patience, SaveOutcome& outcome,
              const std::string& path)
      : files_(files) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    Locked locked = files.TryLock(target);
    while (locked.state == LockState::Busy && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(kLockRetryStep);
      locked = files.TryLock(target);
    }
    switch (locked.state) {
      case LockState::Held:
        lock_ = locked.lock;
        break;
      case LockState::Busy:
        outcome.notes.push_back(path + ": another game kept the records locked; saving without waiting longer");
        break;
      case LockState::Failed:
        outcome.notes.push_back(path + ": cannot lock the records, saving without: " + locked.error.message());
        break;
      case LockState::Unsupported:
        break;
    }
  }
  ~RecordsLock() {
    if (lock_ != kNoFile) files_.Unlock(lock_);
  }
  RecordsLock(const RecordsLock&) = delete;
  RecordsLock& operator=(const RecordsLock&) = delete;

 private:
  FileSystem& files_;
  FileHandle lock_ = kNoFile;
};

// YYYYMMDD-HHMMSS from the stamp's date and time.
std::string CompactStamp(const LocalStamp& stamp) {
  std::string compact;
  for (const char c : stamp.date + "-" + stamp.time) {
    if ((c >= '0' && c <= '9') || c == '-') compact += c;
  }
  return compact;
}

// Renames the unreadable file to a name beside it that nothing has yet.
std::error_code MoveAside(FileSystem& files, const std::string& target, const LocalStamp& stamp, std::string& aside) {
  const std::string first = target + ".unreadable-" + CompactStamp(stamp);
  aside = first;
  std::error_code error = files.MoveAside(target, aside);
  for (int more = 2; error == std::errc::file_exists && more <= kMoreAsideNames + 1; ++more) {
    aside = first + "-" + std::to_string(more);
    error = files.MoveAside(target, aside);
  }
  return error;
}

}  // namespace

SaveOutcome SaveRecordsFile(const std::string& path, const RecordsRun& run, const LocalStamp& stamp, FileSystem& files,
                            std::chrono::milliseconds lockPatience) {
  SaveOutcome outcome;
  const std::string target = files.FinalPath(path);
  const RecordsLock lock(files, target, lockPatience, outcome, path);

  const LoadOutcome onDisk = LoadRecordsFile(target, files);
  HiScores table = onDisk.kind == LoadOutcome::Kind::Table ? onDisk.scores : run.loaded;
  if (onDisk.kind == LoadOutcome::Kind::Unreadable) {
    std::string aside;
    if (const std::error_code error = MoveAside(files, target, stamp, aside)) {
      outcome.problem = path + ": not saved: cannot keep the unreadable " + target + " as " + aside + ": " +
                        error.message() + " (" + onDisk.problem + ")";
      return outcome;
    }
    outcome.notes.push_back(onDisk.problem + "; kept as " + aside);
  }
  for (const std::int32_t score : run.entered) InsertScore(table, score);

  outcome.problem = WriteRecordsFile(target, FormatRecordsFile(table, stamp.date, stamp.time), files);
  if (outcome.problem.empty()) outcome.saved = table;
  return outcome;
}

}  // namespace zelvane

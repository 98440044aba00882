#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/file_system.h"
#include "records/high_scores.h"
#include "records/native_file_system.h"

namespace zelvane {

// The records file: 16 CR LF lines in code page 932. Line 1 holds the five
// entries as six digits each; the rest is a dated note that nothing reads back.
inline constexpr const char* kRecordsFileName = "jkl.yen";

// How much of the file's start is read: line 1 of a saved file is 32 bytes,
// and a huge or foreign file must not fill the memory.
inline constexpr std::size_t kRecordsReadLimit = 4096;

// The text that line 1 is read from: after a UTF-8 byte-order mark and
// leading blanks, up to the first comma or line end (CR LF, CR or LF).
std::string_view FirstField(std::string_view fileStart);

struct RecordsLine {
  HiScores scores{};
  // False when not one field gave a number: the line holds no scores at all.
  bool holdsANumber = false;
};

// Reads the six-character field at 6i for entry i. A field gives the decimal
// number its leading characters make, blanks ignored, to the nearest whole
// score with halves to even; anything else ends it, so a sign or a letter
// reads as 0 when first and cuts the number short after digits. A missing or
// digitless field reads 0.
RecordsLine ParseRecordsLine(std::string_view firstField);

// Whether a file starting with these bytes can be a records file: text has no
// control characters but tab, CR and LF, so a NUL or the like means a binary
// file, or text in a wider encoding such as UTF-16.
bool LooksLikeText(std::string_view fileStart);

struct LoadOutcome {
  enum class Kind {
    Missing,     // no records yet: the first save makes the file
    Table,       // read; `scores` holds what line 1 gives
    Unreadable,  // there but no table: a save must not overwrite it
    InUse,       // another program holds it for the moment: neither read nor kept aside
  };
  Kind kind = Kind::Missing;
  HiScores scores{};
  // One line for standard error: why an Unreadable or InUse file was not read,
  // or that an empty file holds no scores. Empty otherwise.
  std::string problem;
};

// Never fails: whatever is or is not at `path` gives a table, all zero unless
// read. Text whose first line holds no scores is no records file (a note saved
// under that name, say) and is Unreadable, all of it worth keeping.
LoadOutcome LoadRecordsFile(const std::string& path, FileSystem& files = NativeFiles());

struct LocalStamp {
  std::string date;  // YYYY/MM/DD
  std::string time;  // HH:MM:SS
};
LocalStamp NowStamp();

// The whole file's bytes. Entries are held to 0..kScoreCap so that each takes
// exactly six digits and cannot shift the ones after it.
std::string FormatRecordsFile(const HiScores& scores, std::string_view date, std::string_view time);

// A line for the player when the records could not be saved in the folder of
// `path`, checked at start so that no game is played in vain; empty when they
// can. It names the folder and tells the player to move the game, as a save
// that fails for it does.
std::string CheckRecordsCanBeSaved(const std::string& path, const LoadOutcome& loaded,
                                   FileSystem& files = NativeFiles());

struct Written {
  // Empty on success, else one line naming the file and the reason.
  std::string problem;
  // The step failed only because another program held the file: worth trying again.
  bool inUse = false;
};

// Replaces the regular file at `path` (no link) with `content` so that the old
// records survive any failure: writes a new file of a name never used before
// beside it, flushes it to the disk and puts it in the old one's place. Where
// the folder takes no new file (or refuses the replacing) but the file itself
// may be written, rewrites the file in place instead. On failure the old file
// is untouched and none of the save's own files is left.
Written WriteRecordsFile(const std::string& path, std::string_view content, FileSystem& files = NativeFiles());

// What one run of the game adds to the records on disk.
struct RecordsRun {
  // The table read at start.
  HiScores loaded{};
  // The best of the scores this run entered into its own table, best first; 0 for none.
  HiScores entered{};
};

// Why a save wrote nothing yet, though it may later.
enum class SaveWait {
  None,
  ForAnotherGame,  // another game holds the records' lock while it saves
  ForTheFile,      // another program holds the file for a moment
};

struct SaveOutcome {
  HiScores saved{};
  // Empty when the table reached the disk; else one line naming the file and
  // the reason, which stands if the save is given up while it waits.
  std::string problem;
  SaveWait wait = SaveWait::None;
  // The line saying that an unreadable file was kept aside, and as what; empty when none was.
  std::string keptAside;
  // Anything else the save did on the way that the player should hear of, one line each.
  std::vector<std::string> notes;
};

// One try at saving the run's scores without losing another game's: holds the
// records' lock, reads the table on disk afresh, enters the run's scores into
// it by the same rule as after a game, and writes it. Never waits: where
// another game holds the lock or another program the file, it writes nothing
// and says what to wait for. A file on disk that cannot be read is kept under a
// new name beside it, never overwritten; a link to it is kept aside itself and
// never followed for that. Where the file is missing or unreadable, the run's
// own table at start stands in for it. A link to a regular file is followed and
// stays a link. Temporaries of killed saves are removed while the lock is held.
SaveOutcome SaveRecordsFile(const std::string& path, const RecordsRun& run, const LocalStamp& stamp,
                            FileSystem& files = NativeFiles());

// When a save that has to wait tries again, on any clock in milliseconds.
// Another game's save is waited for as long as it takes, tried every
// kAnotherGameStep; a file that another program holds is tried again after
// pauses that grow, and given up once kInUsePatience has passed.
class SavePauses {
 public:
  static constexpr std::int64_t kAnotherGameStep = 20;
  static constexpr std::int64_t kFirstInUsePause = 50;
  static constexpr std::int64_t kLongestInUsePause = 800;
  static constexpr std::int64_t kInUsePatience = 5000;

  // After a try at `now` that had to wait as `wait`: when to try next, or nothing to give up.
  std::optional<std::int64_t> Next(std::int64_t now, SaveWait wait);

 private:
  std::optional<std::int64_t> inUseSince_;
  std::int64_t inUsePause_ = kFirstInUsePause;
};

}  // namespace zelvane

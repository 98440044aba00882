#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "records/file_system.h"
#include "records/high_scores.h"

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

// Reads the six-character field at 6i for entry i. A field gives its leading
// decimal digits, blanks ignored; anything else ends it, so a sign, a decimal
// point or a letter read as 0 when first and cut the number short after digits.
// A missing or digitless field reads 0.
HiScores ParseRecordsLine(std::string_view firstField);

struct LoadOutcome {
  HiScores scores{};
  // One line for standard error when the file exists but cannot be read;
  // empty when it was read or is simply not there yet.
  std::string problem;
};

// Never fails: an absent, empty or unreadable file gives an all-zero table.
LoadOutcome LoadRecordsFile(const std::string& path);

struct LocalStamp {
  std::string date;  // YYYY/MM/DD
  std::string time;  // HH:MM:SS
};
LocalStamp NowStamp();

// The whole file's bytes. Entries are held to 0..kScoreCap so that each takes
// exactly six digits and cannot shift the ones after it.
std::string FormatRecordsFile(const HiScores& scores, std::string_view date, std::string_view time);

// Replaces the file with `content` so that the old records survive any
// failure: writes a temporary file beside it, flushes it to the disk and
// renames it over. Returns an empty string on success, or one line naming the
// file and the reason; the old file is then untouched and no temporary is left.
std::string SaveRecordsFile(const std::string& path, std::string_view content);
std::string SaveRecordsFile(const std::string& path, std::string_view content, FileSystem& files);

}  // namespace zelvane

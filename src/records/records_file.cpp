#include "records/records_file.h"

#include <algorithm>
#include <ctime>
#include <random>
#include <utility>

#include "records/save_names.h"

namespace zelvane {

namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::size_t kRandomHexDigits = 8;

std::string Stamp(const std::tm& local, const char* format) {
  char text[16];
  return {text, std::strftime(text, sizeof text, format, &local)};
}

LoadOutcome Unreadable(std::string problem) { return {LoadOutcome::Kind::Unreadable, {}, std::move(problem)}; }

std::error_code WriteAll(FileSystem& files, FileHandle file, std::string_view content) {
  while (!content.empty()) {
    std::size_t written = 0;
    if (const std::error_code error = files.Write(file, content, written)) return error;
    if (written == 0) return std::make_error_code(std::errc::io_error);
    content.remove_prefix(written);
  }
  return {};
}

// The folder takes no new file, while the file itself may be writable.
bool FolderTakesNoNewFile(const std::error_code& error) {
  return error == std::errc::permission_denied || error == std::errc::operation_not_permitted;
}

// The folder will not let this file be replaced: a folder with the sticky bit
// and the file someone else's, or a file mounted in place.
bool FolderKeepsTheFile(const std::error_code& error) {
  return error == std::errc::operation_not_permitted || error == std::errc::device_or_resource_busy;
}

// Writes over the file's own bytes, then cuts what is left of the old ones:
// only for a folder that takes no new file, since a failure halfway leaves a mix.
std::error_code RewriteInPlace(FileSystem& files, const std::string& path, std::string_view content) {
  const Opened opened = files.OpenExisting(path);
  if (opened.error) return opened.error;
  std::error_code error = WriteAll(files, opened.file, content);
  if (!error) error = files.Truncate(opened.file, content.size());
  if (!error) error = files.Sync(opened.file);
  const std::error_code closed = files.Close(opened.file);
  return error ? error : closed;
}

// What a save tells where the folder cannot hold the records, naming the
// folder: the player has to move the game.
std::string FolderTakesNoRecords(const std::string& folder, const std::error_code& error) {
  return "the folder " + folder + " takes no new file (" + error.message() +
         "); move the game to a folder of your own, such as one in your documents";
}

}  // namespace

std::string RandomHex() {
  thread_local std::mt19937_64 engine{std::random_device{}()};
  char digits[kRandomHexDigits + 1];
  std::snprintf(digits, sizeof digits, "%08llx", static_cast<unsigned long long>(engine() & 0xFFFFFFFFu));
  return digits;
}

std::string TemporaryName(const std::string& path) { return path + std::string(kTemporaryMark) + RandomHex(); }

bool IsTemporaryEnding(std::string_view ending) {
  if (ending.size() != kTemporaryMark.size() + kRandomHexDigits || !ending.starts_with(kTemporaryMark)) return false;
  const std::string_view digits = ending.substr(kTemporaryMark.size());
  return std::all_of(digits.begin(), digits.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

namespace {

// A new temporary beside `path`, made only where no file has its name: a
// clash, with a killed save's leftover say, only means drawing another name.
Opened CreateTemporary(FileSystem& files, const std::string& path, const std::string& like, std::string& name) {
  Opened created{kNoFile, std::make_error_code(std::errc::file_exists)};
  for (int tries = 0; tries < kRandomNameTries && created.error == std::errc::file_exists; ++tries) {
    name = TemporaryName(path);
    created = files.CreateNew(name, like);
  }
  return created;
}

}  // namespace

LoadOutcome LoadRecordsFile(const std::string& path, FileSystem& files) {
  const FileStart start = files.ReadStart(path, kRecordsReadLimit);
  switch (start.kind) {
    case FileStart::Kind::Missing:
      // No file yet is the normal first run; it is made by the first save.
      return {};
    case FileStart::Kind::NotRegular:
      return Unreadable(path + ": not a regular file");
    case FileStart::Kind::Failed:
      if (start.error == FileInUse()) return {LoadOutcome::Kind::InUse, {}, path + ": " + start.error.message()};
      return Unreadable(path + ": cannot read: " + start.error.message());
    case FileStart::Kind::Read:
      break;
  }
  if (!LooksLikeText(start.bytes)) return Unreadable(path + ": not a text file");
  const RecordsLine line = ParseRecordsLine(FirstField(start.bytes));
  // An empty file has nothing to keep.
  if (!line.holdsANumber && start.size > 0) return Unreadable(path + ": no scores in its first line");
  LoadOutcome outcome{LoadOutcome::Kind::Table, line.scores, {}};
  if (!line.holdsANumber) outcome.problem = path + ": empty";
  return outcome;
}

LocalStamp NowStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return {Stamp(local, "%Y/%m/%d"), Stamp(local, "%H:%M:%S")};
}

std::string CheckRecordsCanBeSaved(const std::string& path, const LoadOutcome& loaded, FileSystem& files) {
  std::string name;
  const Opened probe = CreateTemporary(files, path, {}, name);
  if (!probe.error) {
    files.Close(probe.file);
    files.Remove(name);
    return {};
  }
  // Only what the folder refuses is told now; any other fault, the save tells.
  if (!FolderTakesNoNewFile(probe.error)) return {};
  if (loaded.kind == LoadOutcome::Kind::Table) {
    const Opened writable = files.OpenExisting(path);
    if (!writable.error) {
      files.Close(writable.file);
      return {};
    }
  }
  return path + ": the scores cannot be saved: " + FolderTakesNoRecords(files.FolderName(path), probe.error);
}

Written WriteRecordsFile(const std::string& path, std::string_view content, FileSystem& files) {
  std::string temp;
  Opened created = CreateTemporary(files, path, path, temp);
  const auto notSaved = [&](const char* step, const std::error_code& error) {
    return Written{path + ": not saved: cannot " + step + " " + temp + ": " + error.message(), error == FileInUse()};
  };
  const auto inPlaceOrNotSaved = [&](const char* step, const std::error_code& error) {
    const std::error_code rewritten = RewriteInPlace(files, path, content);
    if (!rewritten) return Written{};
    if (rewritten == std::errc::no_such_file_or_directory) return notSaved(step, error);
    if (rewritten == FileInUse()) return notSaved("rewrite in place", rewritten);
    Written written = notSaved(step, error);
    written.problem += "; nor rewrite it in place: " + rewritten.message();
    return written;
  };
  if (created.error) {
    if (!FolderTakesNoNewFile(created.error)) return notSaved("create", created.error);
    Written written = inPlaceOrNotSaved("create", created.error);
    if (!written.problem.empty() && !written.inUse) {
      written.problem = path + ": not saved: " + FolderTakesNoRecords(files.FolderName(path), created.error);
    }
    return written;
  }

  const auto failed = [&](const char* step, const std::error_code& error) {
    if (created.file != kNoFile) files.Close(created.file);
    files.Remove(temp);
    return notSaved(step, error);
  };
  if (const std::error_code error = WriteAll(files, created.file, content)) return failed("write", error);
  if (const std::error_code error = files.Sync(created.file)) return failed("flush to disk", error);
  const std::error_code closed = files.Close(created.file);
  created.file = kNoFile;
  if (closed) return failed("close", closed);
  if (const std::error_code error = files.Replace(temp, path)) {
    files.Remove(temp);
    return FolderKeepsTheFile(error) ? inPlaceOrNotSaved("rename into place", error)
                                     : notSaved("rename into place", error);
  }
  // The new records are in place; a folder that cannot be flushed only
  // leaves the rename to the system's own timing.
  files.SyncFolder(path);
  return {};
}

}  // namespace zelvane

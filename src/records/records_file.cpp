#include "records/records_file.h"

#include <ctime>
#include <random>
#include <utility>

namespace zelvane {

namespace {

// A leftover of a save that was killed is never taken for a new temporary:
// a clash only means trying another name.
constexpr int kTemporaryNameTries = 16;

std::string Stamp(const std::tm& local, const char* format) {
  char text[16];
  return {text, std::strftime(text, sizeof text, format, &local)};
}

LoadOutcome Unreadable(std::string problem) { return {LoadOutcome::Kind::Unreadable, {}, std::move(problem)}; }

// A name beside `path` that no other save, running or killed, is likely to
// have used. Saves on two threads draw from engines of their own.
std::string TemporaryName(const std::string& path) {
  thread_local std::mt19937_64 engine{std::random_device{}()};
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".tmp-%08llx", static_cast<unsigned long long>(engine() & 0xFFFFFFFFu));
  return path + suffix;
}

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
      return Unreadable(path + ": cannot read: " + start.error.message());
    case FileStart::Kind::Read:
      break;
  }
  if (!LooksLikeText(start.bytes)) return Unreadable(path + ": not a text file");
  const RecordsLine line = ParseRecordsLine(FirstField(start.bytes));
  LoadOutcome outcome{LoadOutcome::Kind::Table, line.scores, {}};
  if (!line.holdsANumber) outcome.problem = path + ": no scores in its first line";
  return outcome;
}

LocalStamp NowStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return {Stamp(local, "%Y/%m/%d"), Stamp(local, "%H:%M:%S")};
}

std::string WriteRecordsFile(const std::string& path, std::string_view content, FileSystem& files) {
  std::string temp;
  Opened created;
  for (int tries = 0; tries < kTemporaryNameTries; ++tries) {
    temp = TemporaryName(path);
    created = files.CreateNew(temp, path);
    if (created.error != std::errc::file_exists) break;
  }
  const auto notSaved = [&](const char* step, const std::error_code& error) {
    return path + ": not saved: cannot " + step + " " + temp + ": " + error.message();
  };
  const auto inPlaceOrNotSaved = [&](const char* step, const std::error_code& error) {
    const std::error_code rewritten = RewriteInPlace(files, path, content);
    if (!rewritten) return std::string{};
    if (rewritten == std::errc::no_such_file_or_directory) return notSaved(step, error);
    return notSaved(step, error) + "; nor rewrite it in place: " + rewritten.message();
  };
  if (created.error) {
    return FolderTakesNoNewFile(created.error) ? inPlaceOrNotSaved("create", created.error)
                                               : notSaved("create", created.error);
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

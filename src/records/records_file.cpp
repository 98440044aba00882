#include "records/records_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <system_error>

namespace zelvane {

namespace {

std::string Reason(int error) { return std::generic_category().message(error); }

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Reads up to `limit` bytes from the start of an open file; false on a read error.
bool ReadStart(int fd, std::size_t limit, std::string& bytes) {
  bytes.resize(limit);
  std::size_t got = 0;
  while (got < limit) {
    const ssize_t n = ::read(fd, bytes.data() + got, limit - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return true;
}

bool WriteAll(FileSystem& files, int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t n = files.Write(fd, content.data(), content.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string Stamp(const std::tm& local, const char* format) {
  char text[16];
  return {text, std::strftime(text, sizeof text, format, &local)};
}

}  // namespace

LoadOutcome LoadRecordsFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    // No file yet is the normal first run; it is made by the first save.
    if (error == ENOENT) return {};
    return {{}, path + ": cannot read: " + Reason(error)};
  }
  std::string start;
  const bool read = ReadStart(fd, kRecordsReadLimit, start);
  const int error = errno;
  ::close(fd);
  if (!read) return {{}, path + ": cannot read: " + Reason(error)};
  return {ParseRecordsLine(FirstField(start)), {}};
}

LocalStamp NowStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return {Stamp(local, "%Y/%m/%d"), Stamp(local, "%H:%M:%S")};
}

std::string SaveRecordsFile(const std::string& path, std::string_view content) {
  FileSystem files;
  return SaveRecordsFile(path, content, files);
}

std::string SaveRecordsFile(const std::string& path, std::string_view content, FileSystem& files) {
  const std::string temp = path + ".tmp";
  int fd = files.Create(temp);
  if (fd < 0) {
    const int error = errno;
    return path + ": not saved: cannot create " + temp + ": " + Reason(error);
  }

  const auto fail = [&](const char* step) {
    const int error = errno;
    if (fd >= 0) files.Close(fd);
    files.Remove(temp);
    return path + ": not saved: cannot " + step + " " + temp + ": " + Reason(error);
  };
  if (!WriteAll(files, fd, content)) return fail("write");
  if (files.Sync(fd) != 0) return fail("flush to disk");
  const int closed = files.Close(fd);
  fd = -1;
  if (closed != 0) return fail("close");
  if (files.Rename(temp, path) != 0) return fail("rename into place");
  // The new records are in place; a directory that cannot be flushed only
  // leaves the rename to the system's own timing.
  files.SyncDirectory(DirectoryOf(path));
  return {};
}

}  // namespace zelvane

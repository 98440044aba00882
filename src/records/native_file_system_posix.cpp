// The records' and the cues' files on a POSIX system: every system call the
// game makes on a file is here.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "records/native_file_system.h"

namespace zelvane {
namespace {

// Beyond this many links in a row the system itself gives up on a name.
constexpr int kMostLinks = 40;

std::error_code LastError() { return {errno, std::generic_category()}; }

std::error_code ErrorOf(int result) { return result == 0 ? std::error_code{} : LastError(); }

// The folder part of `path`, slash kept: "" for a plain name in the working directory.
std::string FolderPart(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string{} : path.substr(0, slash + 1);
}

std::string FolderOf(const std::string& path) {
  const std::string folder = FolderPart(path);
  if (folder.empty()) return ".";
  return folder.size() == 1 ? folder : folder.substr(0, folder.size() - 1);
}

int OpenFolder(const std::string& path) { return ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }

// Reads the first `limit` bytes of a file of `size` bytes, making room only
// for what the file holds: a cue's limit is far above any cue.
bool ReadStartOf(int fd, std::uint64_t size, std::size_t limit, std::string& bytes) {
  limit = static_cast<std::size_t>(std::min<std::uint64_t>(size, limit));
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

int Descriptor(FileHandle file) { return static_cast<int>(file); }

}  // namespace

FileStart NativeFileSystem::ReadStart(const std::string& path, std::size_t limit) {
  // Without O_NONBLOCK, opening a named pipe would wait for a writer for ever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return {};
    // A socket cannot be opened at all.
    if (errno == ENXIO) return {FileStart::Kind::NotRegular, {}, 0, {}};
    return {FileStart::Kind::Failed, {}, 0, LastError()};
  }
  FileStart start;
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    start = {FileStart::Kind::Failed, {}, 0, LastError()};
  } else if (!S_ISREG(status.st_mode)) {
    start.kind = FileStart::Kind::NotRegular;
  } else if (!ReadStartOf(fd, static_cast<std::uint64_t>(status.st_size), limit, start.bytes)) {
    start = {FileStart::Kind::Failed, {}, 0, LastError()};
  } else {
    start.kind = FileStart::Kind::Read;
    start.size = static_cast<std::uint64_t>(status.st_size);
  }
  ::close(fd);
  return start;
}

std::string NativeFileSystem::FinalPath(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < kMostLinks; ++hops) {
    struct stat status {};
    if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return current;
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) == target.size()) return current;
    target.resize(static_cast<std::size_t>(length));
    current = target.front() == '/' ? target : FolderPart(current) + target;
  }
  return path;
}

// The lock is on the folder the records live in: it is there before the first
// save, it outlives every replaced file, and it needs no file of its own.
Locked NativeFileSystem::TryLock(const std::string& path) {
  const int folder = OpenFolder(path);
  if (folder < 0) return {LockState::Failed, kNoFile, LastError()};
  if (::flock(folder, LOCK_EX | LOCK_NB) == 0) return {LockState::Held, folder, {}};
  const std::error_code error = LastError();
  ::close(folder);
  if (error == std::errc::operation_would_block || error == std::errc::interrupted)
    return {LockState::Busy, kNoFile, {}};
  if (error == std::errc::no_lock_available || error == std::errc::not_supported ||
      error == std::errc::invalid_argument) {
    return {LockState::Unsupported, kNoFile, error};
  }
  return {LockState::Failed, kNoFile, error};
}

void NativeFileSystem::Unlock(FileHandle lock) { ::close(Descriptor(lock)); }

Opened NativeFileSystem::CreateNew(const std::string& path, const std::string& like) {
  // 0666 lets the user's umask decide, as for any file the game makes.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return {kNoFile, LastError()};
  struct stat status {};
  if (::stat(like.c_str(), &status) == 0 && S_ISREG(status.st_mode)) ::fchmod(fd, status.st_mode & 0777);
  return {fd, {}};
}

Opened NativeFileSystem::OpenExisting(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return {kNoFile, LastError()};
  struct stat status {};
  std::error_code error;
  if (::fstat(fd, &status) != 0) {
    error = LastError();
  } else if (!S_ISREG(status.st_mode)) {
    error = std::make_error_code(std::errc::invalid_argument);
  }
  if (!error) return {fd, {}};
  ::close(fd);
  return {kNoFile, error};
}

std::error_code NativeFileSystem::Write(FileHandle file, std::string_view data, std::size_t& written) {
  written = 0;
  ssize_t n;
  do {
    n = ::write(Descriptor(file), data.data(), data.size());
  } while (n < 0 && errno == EINTR);
  if (n < 0) return LastError();
  written = static_cast<std::size_t>(n);
  return {};
}

std::error_code NativeFileSystem::Truncate(FileHandle file, std::uint64_t size) {
  return ErrorOf(::ftruncate(Descriptor(file), static_cast<off_t>(size)));
}

std::error_code NativeFileSystem::Sync(FileHandle file) {
  const std::error_code error = ErrorOf(::fsync(Descriptor(file)));
  // A file system that cannot flush has nothing to wait for.
  return error == std::errc::invalid_argument ? std::error_code{} : error;
}

std::error_code NativeFileSystem::Close(FileHandle file) {
  const std::error_code error = ErrorOf(::close(Descriptor(file)));
  // Linux has closed the descriptor all the same.
  return error == std::errc::interrupted ? std::error_code{} : error;
}

std::error_code NativeFileSystem::Replace(const std::string& from, const std::string& to) {
  return ErrorOf(std::rename(from.c_str(), to.c_str()));
}

std::error_code NativeFileSystem::MoveAside(const std::string& from, const std::string& to) {
#ifdef __linux__
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL && errno != ENOSYS) return LastError();
#endif
  // Where the system cannot refuse to replace, look first: the records' lock
  // keeps other games from making the name meanwhile.
  struct stat status {};
  if (::lstat(to.c_str(), &status) == 0) return std::make_error_code(std::errc::file_exists);
  return ErrorOf(std::rename(from.c_str(), to.c_str()));
}

std::error_code NativeFileSystem::Remove(const std::string& path) { return ErrorOf(::unlink(path.c_str())); }

std::error_code NativeFileSystem::SyncFolder(const std::string& path) {
  const int folder = OpenFolder(path);
  if (folder < 0) return LastError();
  const std::error_code error = ErrorOf(::fsync(folder));
  ::close(folder);
  return error == std::errc::invalid_argument ? std::error_code{} : error;
}

std::vector<std::string> NativeFileSystem::NamesExtending(const std::string& path) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(FolderOf(path).c_str()), ::closedir);
  if (!folder) return names;
  while (const dirent* entry = ::readdir(folder.get())) {
    std::string name = FolderPart(path) + entry->d_name;
    if (name.size() > path.size() && name.starts_with(path)) names.push_back(std::move(name));
  }
  return names;
}

std::string NativeFileSystem::FolderName(const std::string& path) {
  const std::unique_ptr<char, void (*)(void*)> full(::realpath(FolderOf(path).c_str(), nullptr), std::free);
  return full ? std::string(full.get()) : FolderOf(path);
}

FileSystem& NativeFiles() {
  static NativeFileSystem files;
  return files;
}

}  // namespace zelvane

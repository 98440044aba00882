#include "records/file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace zelvane {

int FileSystem::Create(const std::string& path) {
  // 0666 lets the user's umask decide, as for any file the game writes.
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
}

ssize_t FileSystem::Write(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }

int FileSystem::Sync(int fd) { return ::fsync(fd); }

int FileSystem::Close(int fd) { return ::close(fd); }

int FileSystem::Rename(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()); }

int FileSystem::Remove(const std::string& path) { return ::unlink(path.c_str()); }

int FileSystem::SyncDirectory(const std::string& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int result = ::fsync(fd);
  const int error = errno;
  ::close(fd);
  errno = error;
  return result;
}

}  // namespace zelvane

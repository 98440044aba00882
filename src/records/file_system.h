#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace zelvane {

// The file calls that saving the records is made of. The defaults are the
// real POSIX calls; a test overrides one to make that step fail. Each returns
// what its POSIX call returns and leaves errno set on failure.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens `path` for writing, creating it or emptying it.
  virtual int Create(const std::string& path);
  virtual ssize_t Write(int fd, const char* data, std::size_t size);
  // Waits until what was written is on the disk.
  virtual int Sync(int fd);
  virtual int Close(int fd);
  virtual int Rename(const std::string& from, const std::string& to);
  virtual int Remove(const std::string& path);
  // Makes a rename inside `directory` last across a power cut.
  virtual int SyncDirectory(const std::string& directory);
};

}  // namespace zelvane

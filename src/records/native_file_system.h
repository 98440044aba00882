#pragma once

#include "records/file_system.h"

namespace zelvane {

// The platform's own files. One implementation file per platform defines it:
// native_file_system_posix.cpp for Linux, the BSDs, macOS and the browser.
class NativeFileSystem : public FileSystem {
 public:
  FileStart ReadStart(const std::string& path, std::size_t limit) override;
  std::string FinalPath(const std::string& path) override;
  Locked TryLock(const std::string& path) override;
  void Unlock(FileHandle lock) override;
  Opened CreateNew(const std::string& path, const std::string& like) override;
  Opened OpenExisting(const std::string& path) override;
  std::error_code Write(FileHandle file, std::string_view data, std::size_t& written) override;
  std::error_code Truncate(FileHandle file, std::uint64_t size) override;
  std::error_code Sync(FileHandle file) override;
  std::error_code Close(FileHandle file) override;
  std::error_code Replace(const std::string& from, const std::string& to) override;
  std::error_code MoveAside(const std::string& from, const std::string& to) override;
  std::error_code Remove(const std::string& path) override;
  std::vector<std::string> NamesExtending(const std::string& path) override;
  std::string FolderName(const std::string& path) override;
  std::error_code SyncFolder(const std::string& path) override;
};

// The one the game uses when nothing else is asked for.
FileSystem& NativeFiles();

}  // namespace zelvane

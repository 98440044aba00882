#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace zelvane {

// A file open for writing: a descriptor or a handle, whatever the platform uses.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// What reading the start of a file found.
// Another program holds the file for a moment: Windows' scanners and sync
// tools open files briefly, and a file held without sharing can be neither
// read nor replaced meanwhile. No fault of the file: trying again shortly works.
std::error_code FileInUse();

struct FileStart {
  enum class Kind {
    Read,        // a regular file; `bytes` holds its start
    Missing,     // nothing by that name, or a link to nowhere
    NotRegular,  // a folder, a named pipe, a device...: never read, it could block
    Failed,      // there, but it could not be opened or read; `error` says why (FileInUse when held)
  };
  Kind kind = Kind::Missing;
  std::string bytes;
  // The whole file's size, for Read.
  std::uint64_t size = 0;
  std::error_code error;
};

struct Opened {
  FileHandle file = kNoFile;
  std::error_code error;
};

// Whether another game may be saving the records at the same time.
enum class LockState {
  Held,         // ours until Unlock
  Busy,         // another game holds it; try again
  Unsupported,  // this place cannot lock at all; saving goes on without
  Failed,       // it should have worked but did not; saving goes on without
};

struct Locked {
  LockState state = LockState::Failed;
  FileHandle lock = kNoFile;
  std::error_code error;
};

// Every file operation the game makes. Each platform gives its own (see
// native_file_system.h); the records' and the cues' logic above it is the same
// everywhere, and a test can stand in for any one step to make it fail.
// Errors come back as error codes that compare equal to std::errc values, or
// as FileInUse.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads at most `limit` bytes from the start of `path`. Never waits: only a
  // regular file is read, anything else is NotRegular without being read.
  virtual FileStart ReadStart(const std::string& path, std::size_t limit) = 0;

  // The name `path` stands for once every symbolic link on it is followed, so
  // that a save replaces the link's target and keeps the link; a link to
  // nowhere gives the name it points to. `path` itself when it is no link, and
  // when the links go round in a circle.
  virtual std::string FinalPath(const std::string& path) = 0;

  // Tries once, without waiting, to take the lock that keeps two games from
  // saving the records at `path` at the same time.
  virtual Locked TryLock(const std::string& path) = 0;
  virtual void Unlock(FileHandle lock) = 0;

  // Makes a new file at `path` for writing; file_exists if anything has that
  // name already. It gets the permissions of the file `like` when there is one,
  // else those of any new file.
  virtual Opened CreateNew(const std::string& path, const std::string& like) = 0;
  // Opens the regular file `path` for writing from its start, keeping its content.
  virtual Opened OpenExisting(const std::string& path) = 0;
  // Writes as much of `data` as it can; how much in `written`.
  virtual std::error_code Write(FileHandle file, std::string_view data, std::size_t& written) = 0;
  // Cuts the file to its first `size` bytes.
  virtual std::error_code Truncate(FileHandle file, std::uint64_t size) = 0;
  // Waits until what was written is on the disk.
  virtual std::error_code Sync(FileHandle file) = 0;
  // The file is closed even when this reports an error.
  virtual std::error_code Close(FileHandle file) = 0;

  // Puts the file `from` in the place of `to` in one step: whoever opens `to`
  // finds the old file or the new one, whole.
  virtual std::error_code Replace(const std::string& from, const std::string& to) = 0;
  // Renames `from` to `to` only while nothing is named `to`; file_exists otherwise.
  virtual std::error_code MoveAside(const std::string& from, const std::string& to) = 0;
  virtual std::error_code Remove(const std::string& path) = 0;
  // The names of the files beside `path` whose names extend its own, `path`
  // and more: "a/jkl.yen.tmp-1" for "a/jkl.yen".
  virtual std::vector<std::string> NamesExtending(const std::string& path) = 0;
  // The full name of the folder that holds `path`, to name it to the player.
  virtual std::string FolderName(const std::string& path) = 0;
  // Makes the renames in the folder that holds `path` last across a power cut.
  virtual std::error_code SyncFolder(const std::string& path) = 0;
};

}  // namespace zelvane

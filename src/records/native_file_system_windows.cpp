// The records' and the cues' files on Windows: every system call the game
// makes on a file is here. Names travel as UTF-8 and reach the system as
// UTF-16; files are read and written as raw bytes, so CR LF stays CR LF and
// the note lines keep their code page 932 bytes.
#include <windows.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "records/native_file_system.h"

namespace zelvane {
namespace {

// Windows' errors as the errno values the rest of the game compares with, so
// that a player reads the same reasons on every system.
std::error_code ErrorOf(DWORD error) {
  switch (error) {
    case ERROR_SUCCESS:
      return {};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
    case ERROR_CANNOT_MAKE:
      return std::make_error_code(std::errc::permission_denied);
    case ERROR_WRITE_PROTECT:
      return std::make_error_code(std::errc::read_only_file_system);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileInUse();
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return std::make_error_code(std::errc::file_exists);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return std::make_error_code(std::errc::not_enough_memory);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_INVALID_PARAMETER:
      return std::make_error_code(std::errc::invalid_argument);
    case ERROR_FILENAME_EXCED_RANGE:
      return std::make_error_code(std::errc::filename_too_long);
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
      return std::make_error_code(std::errc::not_supported);
    default:
      return std::make_error_code(std::errc::io_error);
  }
}

std::error_code LastError() { return ErrorOf(GetLastError()); }

std::error_code ErrorUnless(BOOL succeeded) { return succeeded ? std::error_code{} : LastError(); }

// Windows denies access to a file that another program holds in some ways
// (or that is being deleted) just as to one the player may not touch: a file
// that is there counts as held, to be tried again.
std::error_code HeldUnlessMissing(const std::error_code& error, const std::wstring& name) {
  if (error != std::errc::permission_denied) return error;
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return error;
  return FileInUse();
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string text(
      static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
  return text;
}

HANDLE HandleOf(FileHandle file) { return reinterpret_cast<HANDLE>(file); }
FileHandle FileOf(HANDLE handle) { return reinterpret_cast<FileHandle>(handle); }

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The folder part of `path`, separator kept: "" for a plain name in the working folder.
std::string FolderPart(const std::string& path) {
  const auto separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string{} : path.substr(0, separator + 1);
}

// A file on a disk, not a folder, a pipe or a device.
bool IsRegular(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION information{};
  return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &information) &&
         !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadUpTo(HANDLE file, std::size_t limit, std::string& bytes) {
  bytes.resize(limit);
  std::size_t got = 0;
  while (got < limit) {
    DWORD n = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(limit - got, 1 << 20));
    if (!ReadFile(file, bytes.data() + got, wanted, &n, nullptr)) return false;
    if (n == 0) break;
    got += n;
  }
  bytes.resize(got);
  return true;
}

}  // namespace

FileStart NativeFileSystem::ReadStart(const std::string& path, std::size_t limit) {
  // Backup semantics let a folder open too, so that it is told apart from a
  // file that may not be read.
  const std::wstring name = Wide(path);
  const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const std::error_code error = HeldUnlessMissing(LastError(), name);
    if (error == std::errc::no_such_file_or_directory) return {};
    return {FileStart::Kind::Failed, {}, 0, error};
  }
  FileStart start;
  LARGE_INTEGER size{};
  if (!IsRegular(file)) {
    start.kind = FileStart::Kind::NotRegular;
  } else if (!GetFileSizeEx(file, &size) || !ReadUpTo(file, limit, start.bytes)) {
    start = {FileStart::Kind::Failed, {}, 0, LastError()};
  } else {
    start.kind = FileStart::Kind::Read;
    start.size = static_cast<std::uint64_t>(size.QuadPart);
  }
  CloseHandle(file);
  return start;
}

// A name that is a symbolic link stands for the file it leads to. A link to
// nowhere is replaced by the records themselves.
std::string NativeFileSystem::FinalPath(const std::string& path) {
  const std::wstring wide = Wide(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
  const HANDLE file =
      CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  std::wstring final(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), VOLUME_NAME_DOS);
  if (length >= final.size()) {
    final.resize(length);
    length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), VOLUME_NAME_DOS);
  }
  CloseHandle(file);
  if (length == 0 || length >= final.size()) return path;
  final.resize(length);
  // The system hands back a name in its long form, \\?\C:\... or \\?\UNC\server\...
  if (final.starts_with(LR"(\\?\UNC\)")) return Utf8(LR"(\\)" + final.substr(8));
  if (final.starts_with(LR"(\\?\)")) return Utf8(final.substr(4));
  return Utf8(final);
}

// The lock is a file of its own beside the records, open for one game alone:
// another game's try meets a sharing violation. The system deletes it when it
// is closed, however the game ends, so no lock is ever left behind.
Locked NativeFileSystem::TryLock(const std::string& path) {
  const std::wstring name = Wide(path + ".lock");
  // A lock that another game has just let go is denied until the system has
  // deleted it, and a second try then finds it gone; a folder that takes no
  // new file denies every try.
  for (int tries = 0; tries < 2; ++tries) {
    const HANDLE lock =
        CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (lock != INVALID_HANDLE_VALUE) return {LockState::Held, FileOf(lock), {}};
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION) return {LockState::Busy, kNoFile, {}};
    if (error == ERROR_WRITE_PROTECT || error == ERROR_NOT_SUPPORTED) {
      return {LockState::Unsupported, kNoFile, ErrorOf(error)};
    }
    if (error != ERROR_ACCESS_DENIED) return {LockState::Failed, kNoFile, ErrorOf(error)};
    if (GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES || GetLastError() == ERROR_ACCESS_DENIED) {
      return {LockState::Busy, kNoFile, {}};
    }
  }
  return {LockState::Unsupported, kNoFile, ErrorOf(ERROR_ACCESS_DENIED)};
}

void NativeFileSystem::Unlock(FileHandle lock) { CloseHandle(HandleOf(lock)); }

// The new file takes the folder's permissions, as every new file on Windows does.
Opened NativeFileSystem::CreateNew(const std::string& path, const std::string&) {
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {kNoFile, LastError()};
  return {FileOf(file), {}};
}

Opened NativeFileSystem::OpenExisting(const std::string& path) {
  const HANDLE file =
      CreateFileW(Wide(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {kNoFile, LastError()};
  if (IsRegular(file)) return {FileOf(file), {}};
  CloseHandle(file);
  return {kNoFile, std::make_error_code(std::errc::invalid_argument)};
}

std::error_code NativeFileSystem::Write(FileHandle file, std::string_view data, std::size_t& written) {
  DWORD n = 0;
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1 << 30));
  const BOOL wrote = WriteFile(HandleOf(file), data.data(), wanted, &n, nullptr);
  written = n;
  return ErrorUnless(wrote);
}

std::error_code NativeFileSystem::Truncate(FileHandle file, std::uint64_t size) {
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFilePointerEx(HandleOf(file), position, nullptr, FILE_BEGIN)) return LastError();
  return ErrorUnless(SetEndOfFile(HandleOf(file)));
}

std::error_code NativeFileSystem::Sync(FileHandle file) {
  const std::error_code error = ErrorUnless(FlushFileBuffers(HandleOf(file)));
  // A file system that cannot flush has nothing to wait for.
  return error == std::errc::not_supported ? std::error_code{} : error;
}

std::error_code NativeFileSystem::Close(FileHandle file) { return ErrorUnless(CloseHandle(HandleOf(file))); }

// A rename that may replace puts the new file in the old one's place in one
// step, written through to the disk. (ReplaceFileW, which would also carry the
// old file's attributes over, fails under Wine, where the tests run.) The new
// file takes the old one's read-only, hidden and system marks, as a player set
// them; a read-only file cannot be replaced, so its mark is lifted for the
// rename and put back if the rename fails.
std::error_code NativeFileSystem::Replace(const std::string& from, const std::string& to) {
  const std::wstring source = Wide(from);
  const std::wstring target = Wide(to);
  const DWORD old = GetFileAttributesW(target.c_str());
  const DWORD kept = old == INVALID_FILE_ATTRIBUTES ? 0 : old & kKeptAttributes;
  if (kept && !SetFileAttributesW(source.c_str(), kept)) return LastError();
  if ((kept & FILE_ATTRIBUTE_READONLY) && !SetFileAttributesW(target.c_str(), old & ~FILE_ATTRIBUTE_READONLY)) {
    return HeldUnlessMissing(LastError(), target);
  }
  if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
  const std::error_code error = HeldUnlessMissing(LastError(), target);
  if (kept & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(target.c_str(), old);
  // The temporary must be removable again.
  if (kept) SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_NORMAL);
  return error;
}

// Without MOVEFILE_REPLACE_EXISTING the system refuses a name that is taken.
std::error_code NativeFileSystem::MoveAside(const std::string& from, const std::string& to) {
  const std::wstring source = Wide(from);
  if (MoveFileExW(source.c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH)) return {};
  return HeldUnlessMissing(LastError(), source);
}

std::error_code NativeFileSystem::Remove(const std::string& path) {
  return ErrorUnless(DeleteFileW(Wide(path).c_str()));
}

// Windows keeps a folder's entries itself; the renames above are written
// through, so there is no folder to flush.
std::error_code NativeFileSystem::SyncFolder(const std::string&) { return {}; }

std::vector<std::string> NativeFileSystem::NamesExtending(const std::string& path) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(Wide(path + "?*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = FolderPart(path) + Utf8(found.cFileName);
    if (name.size() > path.size() && name.starts_with(path)) names.push_back(std::move(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::string NativeFileSystem::FolderName(const std::string& path) {
  const std::wstring wide = Wide(FolderPart(path).empty() ? "." : FolderPart(path));
  std::wstring full(MAX_PATH, L'\0');
  DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (length == 0 || length >= full.size()) return FolderPart(path);
  full.resize(length);
  if (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  return Utf8(full);
}

FileSystem& NativeFiles() {
  static NativeFileSystem files;
  return files;
}

}  // namespace zelvane

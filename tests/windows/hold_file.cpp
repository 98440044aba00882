// Holds a file open for a while as a scanner or a file-sync program does:
//   hold_file.exe FILE none|read MILLISECONDS
// The second argument is what other programs may do with it meanwhile: nothing,
// or read it. Prints "held" once it holds the file.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t* argv[]) {
  if (argc != 4) {
    std::fputs("usage: hold_file FILE none|read MILLISECONDS\n", stderr);
    return 2;
  }
  const DWORD share = std::wcscmp(argv[2], L"read") == 0 ? FILE_SHARE_READ : 0;
  const HANDLE file = CreateFileW(argv[1], GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "hold_file: cannot open the file: error %lu\n", GetLastError());
    return 1;
  }
  std::puts("held");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
  CloseHandle(file);
  return 0;
}

# Cross-compiles for 64-bit Windows with Debian's mingw-w64, the variant with
# POSIX threads that std::thread and std::mutex need.
#   -DCMAKE_TOOLCHAIN_FILE=cmake/WindowsToolchain.cmake [-DZELVANE_WINDOWS_DEPS=<prefix>]
# ZELVANE_WINDOWS_DEPS is where packaging/windows/deps.sh put SDL2, zlib, libpng
# and GoogleTest built for Windows; find_package looks there and in mingw-w64's own root.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(zelvane_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${zelvane_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${zelvane_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${zelvane_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH ${ZELVANE_WINDOWS_DEPS} /usr/${zelvane_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZELVANE_WINDOWS_DEPS)

# Programs carry the compiler's own runtime (libgcc, libstdc++, winpthread)
# inside, so none of its DLLs has to travel with them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc")

# Test programs run under Wine.
find_program(ZELVANE_WINE wine)
if(ZELVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELVANE_WINE})
endif()

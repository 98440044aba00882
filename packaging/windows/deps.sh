#!/usr/bin/env bash
# Builds what the Windows build links, from Debian's own source packages:
# SDL2, zlib and libpng, and GoogleTest from Debian's libgtest-dev for the
# tests. All are static libraries, so that the game is one executable. Built once into a cache;
# the cache is built anew when this script or the toolchain file changes.
# Usage: packaging/windows/deps.sh [CACHE_DIR]   (default build/windows/deps)
# Prints the install prefix as its last line.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=../debian_source.sh
source "$source_dir/packaging/debian_source.sh"
cache=$(mkdir -p "${1:-$source_dir/build/windows/deps}" && cd "${1:-$source_dir/build/windows/deps}" && pwd)
prefix=$cache/x86_64-w64-mingw32
toolchain=$source_dir/cmake/WindowsToolchain.cmake
stamp=$prefix/built-by
key=$(cat "$0" "$source_dir/packaging/debian_source.sh" "$toolchain" | sha256sum | cut -d' ' -f1)
if [[ -f "$stamp" && "$(cat "$stamp")" == "$key" ]]; then
  echo "$prefix"
  exit 0
fi

rm -rf "$prefix" "$cache/src" "$cache/work"
mkdir -p "$prefix" "$cache/src" "$cache/work"
jobs=$(nproc)
cross=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix")

# step <name> <command>...: runs a command into the log of <name>; a failure shows the log's end.
step() {
  local log=$cache/work/$1.log
  shift
  if ! "$@" >>"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "deps.sh: failed: $*" >&2
    return 1
  fi
}

fetch() { fetch_debian_source "$1" "$cache/src/$1"; }

# The window, its events, timers and audio are all the game asks of SDL; the
# subsystems it never starts stay out of the game.
sdl=$(fetch libsdl2)
step sdl2 cmake -S "$sdl" -B "$cache/work/sdl2" "${cross[@]}" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
  -DSDL_RENDER=OFF -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF \
  -DSDL_VULKAN=OFF -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF
step sdl2 cmake --build "$cache/work/sdl2" -j"$jobs"
step sdl2 cmake --install "$cache/work/sdl2"

# Debian's zlib source lacks zlib's win32/ folder, which its shared library
# needs for Windows: only the static library is built.
zlib=$(fetch zlib)
step zlib cmake -S "$zlib" -B "$cache/work/zlib" "${cross[@]}"
step zlib cmake --build "$cache/work/zlib" -j"$jobs" --target zlibstatic
install -D -m 644 "$cache/work/zlib/libzlibstatic.a" "$prefix/lib/libz.a"
install -m 644 "$zlib/zlib.h" "$cache/work/zlib/zconf.h" "$prefix/include/"

png=$(fetch libpng1.6)
step libpng cmake -S "$png" -B "$cache/work/libpng" "${cross[@]}" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a"
step libpng cmake --build "$cache/work/libpng" -j"$jobs"
step libpng cmake --install "$cache/work/libpng"

step googletest cmake -S /usr/src/googletest -B "$cache/work/googletest" "${cross[@]}" -DBUILD_GMOCK=ON \
  -Dgtest_disable_pthreads=OFF
step googletest cmake --build "$cache/work/googletest" -j"$jobs"
step googletest cmake --install "$cache/work/googletest"

# The licences of what the game carries inside or beside it.
mkdir -p "$prefix/licenses"
cp "$sdl/LICENSE.txt" "$prefix/licenses/SDL2.txt"
cp "$png/LICENSE" "$prefix/licenses/libpng.txt"
sed -n '/Copyright (C)/,/madler@/p' "$zlib/zlib.h" | sed 's/^  //' >"$prefix/licenses/zlib.txt"

rm -rf "$cache/work" "$cache/src"
echo "$key" >"$stamp"
echo "$prefix"

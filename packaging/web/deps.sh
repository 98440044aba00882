#!/usr/bin/env bash
# Builds zlib, libpng and SDL2 for the browser from Debian's own source
# packages, with emscripten's CMake wrapper, into build/web/deps/prefix.
# The result is kept until this script or the source fetch changes: a stamp
# holds their checksum.
# emscripten's own "ports" of these download from the internet; ours do not.
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../debian_source.sh
source packaging/debian_source.sh
deps=$PWD/build/web/deps
prefix=$deps/prefix
stamp=$prefix/.built-by
recipe=$(cat packaging/web/deps.sh packaging/debian_source.sh | sha256sum | cut -d' ' -f1)
[[ -e $stamp && $(cat "$stamp") == "$recipe" ]] && exit 0

rm -rf "$deps"
mkdir -p "$deps/sources" "$prefix"
# What the builds say goes to a log, shown only when one fails.
log=$deps/build.log
exec 3>&2 >"$log" 2>&1
trap '[[ $? -eq 0 ]] || { echo "deps.sh: failed, see $log:" >&3; tail -30 "$log" >&3; }' EXIT
echo "Building SDL2, libpng and zlib for the browser (a few minutes, once)" >&3
fetch() { fetch_debian_source "$1" "$deps/sources/$1"; }

configure() {
  local source=$1 build=$2
  shift 2
  emcmake cmake -S "$source" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" "$@" >/dev/null
}

jobs=$(nproc)
# zlib's CMake wants the Windows files that Debian's source leaves out: its
# own configure script, then.
zlib=$(fetch zlib)
(cd "$zlib" && emconfigure ./configure --static --prefix="$prefix" >/dev/null && emmake make -s -j"$jobs" install >/dev/null)

libpng=$(fetch libpng1.6)
configure "$libpng" "$deps/build/libpng" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
cmake --build "$deps/build/libpng" -j"$jobs"
cmake --install "$deps/build/libpng" >/dev/null

# Only what the game uses: the window and its events, audio, timers.
sdl=$(fetch libsdl2)
configure "$sdl" "$deps/build/sdl2" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
  -DSDL2_DISABLE_SDL2MAIN=ON -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF \
  -DSDL_POWER=OFF -DSDL_FILESYSTEM=OFF -DSDL_LOCALE=OFF -DSDL_MISC=OFF -DSDL_RENDER=OFF \
  -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF -DSDL_DISKAUDIO=OFF -DSDL_DUMMYAUDIO=OFF -DSDL_OFFSCREEN=OFF
cmake --build "$deps/build/sdl2" -j"$jobs"
cmake --install "$deps/build/sdl2" >/dev/null

echo "$recipe" >"$stamp"

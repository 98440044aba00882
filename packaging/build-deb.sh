#!/bin/sh
# Builds the Debian package: a Release build without tests or tools, with
# Debian's own hardening and optimisation flags, packed by CPack.
# Usage: packaging/build-deb.sh [BUILD_DIR]   (default build/deb)
# Prints the path of the package it made as its last line.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-$source_dir/build/deb}" && cd "${1:-$source_dir/build/deb}" && pwd)
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CPack gives the package's folders the modes they were made with: a builder's
# umask of 027 would install folders that players cannot read.
umask 022
# Debian's flags map the folder they are asked in to "." in what the compiler
# records: asked in the source tree, the package holds no path of the machine.
cd "$source_dir"

cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DZELVANE_TESTS=OFF -DZELVANE_TOOLS=OFF -DZELVANE_LAUNCHER_DIR=games \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
echo "$build/zelvane_${version}_$(dpkg --print-architecture).deb"

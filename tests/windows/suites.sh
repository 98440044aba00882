#!/usr/bin/env bash
# Cross-compiles the headless test suites for Windows, warnings as errors, and
# runs them under Wine with ctest, each test in a Windows process of its own.
# Usage: tests/windows/suites.sh [BUILD_DIR]   (default build/windows)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
out=$(mkdir -p "${1:-$source_dir/build/windows}" && cd "${1:-$source_dir/build/windows}" && pwd)

"$source_dir/scripts/setup.sh" test windows
deps=$("$source_dir/packaging/windows/deps.sh" "$out/deps" | tail -n 1)
build=$out/tests
cmake -S "$source_dir" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/WindowsToolchain.cmake" \
  -DZELVANE_WINDOWS_DEPS="$deps" -DZELVANE_WINE="$here/wine.sh" \
  -DCMAKE_BUILD_TYPE=Debug -DZELVANE_WERROR=ON -DZELVANE_TOOLS=OFF -DZELVANE_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

# A prefix of the suites' own. They open no window, so no display is needed.
export WINEPREFIX=$out/wine-prefix
unset DISPLAY
sh "$here/prefix.sh" "$here/wine.sh"
# One Wine server for the whole run: a server that ends by itself between two
# tests turns away a test that connects as it goes ("recvmsg: Connection reset by peer").
# Wine's own services start with the first program, away from ctest's pipes,
# which they would hold open for as long as the server lives.
"$here/wine.sh" --server --persistent
trap '"$here/wine.sh" --server --kill' EXIT
"$here/wine.sh" cmd.exe /c exit </dev/null >/dev/null 2>&1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

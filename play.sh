#!/usr/bin/env bash
# Sets up, builds and starts the game. The game runs in its data directory, so
# the high scores ("jkl.yen") survive rebuilds.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
scripts/setup.sh play
build=build/play
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZELVANE_TESTS=OFF -DZELVANE_TOOLS=OFF
cmake --build "$build" -j"$(nproc)"
# The installed game's launcher, pointed at this build and the source tree's
# cues: it starts the game in the player's data directory.
export ZELVANE_EXECUTABLE="$root/$build/src/platform/zelvane" ZELVANE_CUES_DIR="$root/assets/sounds"
exec "$build/packaging/zelvane"

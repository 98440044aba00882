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
data="${XDG_DATA_HOME:-$HOME/.local/share}/zelvane"
mkdir -p "$data"
# The sound cues go beside the records; a cue the player has replaced is kept.
for cue in assets/sounds/*.wav; do
  [[ -e "$cue" ]] || continue
  [[ -e "$data/$(basename "$cue")" ]] || cp "$cue" "$data/"
done
cd "$data"
exec "$root/$build/zelvane"

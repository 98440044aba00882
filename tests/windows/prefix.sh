#!/bin/sh
# Makes the Wine prefix that the Windows tests share, or brings it up to date,
# and waits until Wine has settled: a new prefix takes Wine many seconds, more
# than a test gives the game to show its window.
# Usage: prefix.sh WINE   (the tests' Wine, see wine.in)
set -eu
"$1" wineboot.exe --init
"$1" --server --wait

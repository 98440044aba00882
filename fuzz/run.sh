#!/usr/bin/env bash
# Searches the records loader with libFuzzer for the given number of seconds.
# Usage: fuzz/run.sh <seconds> [more libFuzzer options]
# Builds with clang in build/fuzz under AddressSanitizer and UBSan, and fuzzes
# a copy of fuzz/corpus in build/fuzz/corpus, so that the committed corpus
# only grows by hand: copy a crashing input (build/fuzz/crash-*) into it once
# the fault is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh <seconds> [libFuzzer options]}
shift

scripts/setup.sh fuzz
build=build/fuzz
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DZELVANE_SANITIZE=ON -DZELVANE_FUZZER=ON -DZELVANE_TOOLS=OFF -DZELVANE_BENCH=OFF
cmake --build "$build" -j"$(nproc)" --target records_fuzzer

mkdir -p "$build/corpus"
cp -n fuzz/corpus/* "$build/corpus/"
cd "$build"
# Every input is written to a scratch file and saved; in memory that is fast.
if [[ -z "${TMPDIR:-}" && -d /dev/shm && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi
# Inputs longer than the part of the file the loader reads (4096 bytes) are searched too.
./fuzz/records_fuzzer -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 "$@" corpus

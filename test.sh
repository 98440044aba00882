#!/usr/bin/env bash
# Sets up, builds with warnings as errors and with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test. With ZELVANE_WEB_TEST=1 it
# also builds the game for the browser and plays it in Debian's Chromium.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh test
# One style everywhere: the formatter's own verdict, before anything is built.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
build=build/test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZELVANE_WERROR=ON -DZELVANE_SANITIZE=ON
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
if [[ ${ZELVANE_WEB_TEST:-} == 1 ]]; then
  packaging/web/build.sh -DZELVANE_WERROR=ON >/dev/null
  ZELVANE_READ_GAME="$build/tests/web/read_game" node --test tests/web/
fi

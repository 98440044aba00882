#!/usr/bin/env bash
# Sets up, builds with warnings as errors and with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test. With ZELVANE_WEB_TEST=1 it
# also builds the game for the browser and plays it in Debian's Chromium.
# With ZELVANE_WINDOWS_TEST=1 it also builds the Windows zip and installer and
# tests them under Wine, and runs the headless suites cross-compiled for
# Windows under Wine. With ZELVANE_RELEASE_TEST=1 it also builds the release
# twice and checks that both are the same bytes.
set -euo pipefail
cd "$(dirname "$0")"
windows=(-DZELVANE_WINDOWS_ZIP= -DZELVANE_WINDOWS_SETUP=)
if [[ ${ZELVANE_WINDOWS_TEST:-} == 1 ]]; then
  scripts/setup.sh test windows
else
  scripts/setup.sh test
fi
# One style everywhere: the formatter's own verdict, before anything is built.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
# Every shell script as shellcheck reads it (.shellcheckrc): each *.sh, and
# whatever else starts with a shell's #!.
{
  git ls-files '*.sh'
  git ls-files -z | xargs -0 awk 'FNR == 1 && /^#!.*sh/ { print FILENAME; nextfile }'
} | sort -u | xargs shellcheck
if [[ ${ZELVANE_WINDOWS_TEST:-} == 1 ]]; then
  mkdir -p build/windows
  packaging/windows/build.sh | tee build/windows/build.log
  mapfile -t packages < <(tail -n 2 build/windows/build.log)
  windows=(-DZELVANE_WINDOWS_ZIP="${packages[0]}" -DZELVANE_WINDOWS_SETUP="${packages[1]}")
fi
build=build/test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZELVANE_WERROR=ON -DZELVANE_SANITIZE=ON "${windows[@]}"
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
if [[ ${ZELVANE_WEB_TEST:-} == 1 ]]; then
  packaging/web/build.sh -DZELVANE_WERROR=ON >/dev/null
  ZELVANE_READ_GAME="$build/tests/web/read_game" node --test tests/web/
fi
if [[ ${ZELVANE_WINDOWS_TEST:-} == 1 ]]; then tests/windows/suites.sh; fi
# Two releases of this commit, built apart and at different times, are the same bytes.
if [[ ${ZELVANE_RELEASE_TEST:-} == 1 ]]; then tests/release/twice.sh; fi

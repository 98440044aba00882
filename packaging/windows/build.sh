#!/usr/bin/env bash
# Cross-compiles the game for 64-bit Windows with Debian's mingw-w64 and packs
# it the two ways Windows players expect: a portable zip and an installer.
# Usage: packaging/windows/build.sh [BUILD_DIR]   (default build/windows)
# Prints the paths of the zip and of the installer as its last two lines.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
# shellcheck source=../reproducible.sh
source "$source_dir/packaging/reproducible.sh"
out=$(mkdir -p "${1:-$source_dir/build/windows}" && cd "${1:-$source_dir/build/windows}" && pwd)

"$source_dir/scripts/setup.sh" windows
deps=$("$here/deps.sh" "$out/deps" | tail -n 1)

game=$out/game
cmake -S "$source_dir" -B "$game" -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/WindowsToolchain.cmake" \
  -DZELVANE_WINDOWS_DEPS="$deps" -DCMAKE_BUILD_TYPE=Release -DZELVANE_TESTS=OFF -DZELVANE_TOOLS=OFF >/dev/null
cmake --build "$game" -j"$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$game/CMakeCache.txt")

# What a player gets, laid out as the zip holds it (in one folder, so that
# "extract here" gives one folder) and the installer installs it.
# Text files get Windows' line ends.
rm -rf "$out/stage"
stage=$out/stage/zelvane-$version
mkdir -p "$stage/licenses"
# strip writes SOURCE_DATE_EPOCH, the commit's time, as the executable's link
# time: the same on every build of the commit.
x86_64-w64-mingw32-strip -o "$stage/zelvane.exe" "$game/src/platform/zelvane.exe"
cp "$source_dir"/assets/sounds/*.wav "$stage/"
text() { sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$1" >"$2"; }
text "$here/README.txt" "$stage/README.txt"
text "$source_dir/packaging/copyright" "$stage/COPYRIGHT.txt"
for license in "$deps"/licenses/*.txt; do text "$license" "$stage/licenses/$(basename "$license")"; done

zip=$out/zelvane-$version-windows-x64.zip
pack_zip "$stage" "$zip"

# The installer installs and the uninstaller removes the same staged files.
# The cues go their own way, with their hashes: a player may replace one.
files=$out/files.nsh
{
  echo '!macro InstallFiles'
  (cd "$stage" && find . -type d | LC_ALL=C sort | sed 's,^\./\?,,') | while read -r dir; do
    echo "  SetOutPath \"\$INSTDIR${dir:+\\${dir//\//\\}}\""
    find "$stage/$dir" -maxdepth 1 -type f ! -name '*.wav' | LC_ALL=C sort | sed 's/^/  File "/; s/$/"/'
  done
  echo '!macroend'
  echo '!macro ForEachCue action'
  for cue in "$stage"/*.wav; do
    echo "  !insertmacro \${action} \"${cue##*/}\" \"$cue\" \"$(sha256sum "$cue" | cut -d' ' -f1)\""
  done
  echo '!macroend'
  echo '!macro RemoveFiles'
  # shellcheck disable=SC2016 # $INSTDIR is the installer's, written as it stands
  (cd "$stage" && find . -type f ! -name '*.wav' | LC_ALL=C sort | sed 's,^\./,,; s,/,\\,g') | sed 's/^/  Delete "$INSTDIR\\/; s/$/"/'
  # shellcheck disable=SC2016 # as above
  (cd "$stage" && find . -mindepth 1 -type d | LC_ALL=C sort -r | sed 's,^\./,,; s,/,\\,g') | sed 's/^/  RMDir "$INSTDIR\\/; s/$/"/'
  echo '!macroend'
  # The files' own sizes: what du counts depends on the file system.
  echo "!define ESTIMATED_KB $(find "$stage" -type f -printf '%s\n' | awk '{ bytes += $1 } END { print int((bytes + 1023) / 1024) }')"
} >"$files"
setup=$out/zelvane-$version-setup.exe
makensis -V2 -NOCD -DVERSION="$version" -DFILES="$files" -DICON="$game/src/platform/zelvane.ico" \
  -DOUTFILE="$setup" "$here/zelvane.nsi"

echo "$zip"
echo "$setup"

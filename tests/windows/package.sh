#!/bin/sh
# What the portable zip holds, and what its zelvane.exe carries: a program of
# the GUI subsystem that needs no DLL beyond Windows' own, with our icon in
# every size, its version, and a manifest that makes it aware of each
# monitor's density and asks for no administrator rights.
# Environment: ZELVANE_WINDOWS_ZIP, ZELVANE_VERSION.
set -eu
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
cd "$unpacked"
cmake -E tar xf "$ZELVANE_WINDOWS_ZIP"
# One folder, so that "extract here" does not spill the game's files.
folder=zelvane-$ZELVANE_VERSION
top=$(ls -A)
[ "$top" = "$folder" ] || { echo "FAIL: the zip's top holds $top, not the one folder $folder" >&2; exit 1; }
cd "$folder"

expected="COPYRIGHT.txt README.txt abc.wav bcd.wav cde.wav def.wav efg.wav fgh.wav ghi.wav hij.wav ijk.wav
licenses/SDL2.txt licenses/libpng.txt licenses/zlib.txt zelvane.exe"
listed=$(find . -type f | sed 's,^\./,,' | LC_ALL=C sort | tr '\n' ' ')
[ "$listed" = "$(printf '%s\n' "$expected" | tr ' ' '\n' | LC_ALL=C sort | tr '\n' ' ')" ] || fail "the zip holds: $listed"
for text in README.txt COPYRIGHT.txt licenses/*.txt; do
  # Every line ends in CR LF, so that any Windows editor shows the lines.
  [ "$(grep -c "$(printf '\r')\$" "$text")" = "$(wc -l <"$text")" ] || fail "$text has lines without CR LF"
done
grep -q "Zelvane $ZELVANE_VERSION for Windows" README.txt || fail "README.txt does not name version $ZELVANE_VERSION"

exe=zelvane.exe
x86_64-w64-mingw32-objdump -p "$exe" >headers
grep -q 'Subsystem.*(Windows GUI)' headers || fail "$exe would open a console"
# Wine's own builds of Windows' DLLs stand for Windows here.
windows_dlls=$(dirname "$(find /usr/lib -path '*/wine/x86_64-windows/kernel32.dll' | head -n 1)")
sed -n 's/^\tDLL Name: //p' headers >dlls
while read -r dll; do
  [ -e "$windows_dlls/$(echo "$dll" | tr '[:upper:]' '[:lower:]')" ] || fail "$exe needs $dll, which Windows does not have"
done <dlls

wrestool -x --type=14 "$exe" >icon.ico
sizes=$(icotool -l icon.ico | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')
[ "$sizes" = "16 32 48 64 128 " ] || fail "the icon's sizes are $sizes"
wrestool -x --raw --type=16 "$exe" | strings -el >version
for value in Zelvane "$ZELVANE_VERSION" zelvane.exe; do
  grep -qx "$value" version || fail "the version information lacks $value"
done
wrestool -x --raw --type=24 "$exe" >manifest
grep -q '>PerMonitorV2' manifest || fail "the manifest does not ask for each monitor's density"
grep -q 'level="asInvoker"' manifest || fail "the manifest does not run the game as its player"

[ "$failures" -eq 0 ] || exit 1
echo "the zip and its zelvane.exe are as a Windows player needs them"

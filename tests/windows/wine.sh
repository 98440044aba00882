#!/bin/sh
# Wine as the Windows tests run it, in the prefix that WINEPREFIX names: quiet,
# making no menu entries or desktop files on the machine, offering to fetch
# nothing. "wine.sh --server ARGS" runs the prefix's Wine server instead.
set -eu
: "${WINEPREFIX:?names the Wine prefix of the tests}"
export WINEDEBUG=-all
# Wine makes menu folders in the home folder even when it makes no entries:
# a home of the prefix's own takes them, and the player's stays as it was.
export HOME="$WINEPREFIX.home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
mkdir -p "$HOME"
export WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d"
if [ "${1-}" = --server ]; then
  shift
  exec wineserver "$@"
fi
# Debian keeps the 64-bit loader beside its wrapper, which would ask for a 32-bit Wine.
for wine in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
  [ -x "$wine" ] && exec "$wine" "$@"
done
echo "wine.sh: Wine is not installed" >&2
exit 127

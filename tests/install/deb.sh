#!/bin/sh
# Builds the Debian package, checks it with lintian, installs it, starts the
# installed game from its desktop entry under a virtual display until its
# window shows, and removes the package again. It changes the system, so it
# runs only as root and when asked for: on CI, or with ZELVANE_DEB_TEST=1.
# A zelvane package installed before the test is gone after it.
. "$(dirname "$0")/lib.sh"

if [ "$(id -u)" -ne 0 ] || { [ -z "${CI:-}" ] && [ "${ZELVANE_DEB_TEST:-}" != 1 ]; }; then
  echo "skipped: needs root and CI or ZELVANE_DEB_TEST=1"
  exit 77
fi

mkdir -p "$ZELVANE_DEB_BUILD_DIR"
log=$ZELVANE_DEB_BUILD_DIR/build-deb.log
if ! "$ZELVANE_SOURCE_DIR/packaging/build-deb.sh" "$ZELVANE_DEB_BUILD_DIR" >"$log" 2>&1; then
  cat "$log" >&2
  echo "FAIL: the package did not build" >&2
  exit 1
fi
deb=$(tail -n 1 "$log")
echo "built $deb"

echo "--- lintian"
lintian --tag-display-limit 0 "$deb" >"$ZELVANE_DEB_BUILD_DIR/lintian.txt" 2>&1 || true
cat "$ZELVANE_DEB_BUILD_DIR/lintian.txt"
! grep -q '^E: ' "$ZELVANE_DEB_BUILD_DIR/lintian.txt" || fail "lintian reports errors"

dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-2\.0-0' || fail "package does not depend on the SDL2 runtime"

scratch=$(mktemp -d)
game=
display_server=
cleanup() {
  [ -z "$game" ] || kill "$game" 2>/dev/null || true
  [ -z "$display_server" ] || kill "$display_server" 2>/dev/null || true
  dpkg -r zelvane >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT

dpkg -i "$deb"
desktop=/usr/share/applications/zelvane.desktop
for file in /usr/games/zelvane /usr/libexec/zelvane/zelvane "$desktop"; do
  [ -f "$file" ] || fail "package does not install $file"
done

# -displayfd picks a free display and names it once the server is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
display_server=$!
for _ in $(seq 50); do
  [ -s "$scratch/display" ] && break
  sleep 0.2
done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(cat "$scratch/display")"
export DISPLAY
export XDG_DATA_HOME="$scratch/data" SDL_AUDIODRIVER=dummy
# A player's login PATH has /usr/games; root's has not.
export PATH="$PATH:/usr/games"

# A menu splits Exec into words and runs them without a shell, as here.
command=$(desktop_value "$desktop" Exec)
# shellcheck disable=SC2086
(cd / && exec $command) &
game=$!
if timeout 30 xdotool search --sync --name '^Zelvane$' >/dev/null; then
  [ "$(readlink "/proc/$game/cwd")" = "$XDG_DATA_HOME/zelvane" ] ||
    fail "game runs in $(readlink "/proc/$game/cwd"), not its data directory"
  [ -f "$XDG_DATA_HOME/zelvane/abc.wav" ] || fail "cues were not copied to the data directory"
else
  fail "no window named Zelvane appeared within 30 s"
fi
kill "$game" 2>/dev/null || true
wait "$game" 2>/dev/null || true
game=

dpkg -r zelvane
if [ -e /usr/games/zelvane ] || [ -e /usr/libexec/zelvane ]; then fail "dpkg -r left the game behind"; fi
[ -f "$XDG_DATA_HOME/zelvane/abc.wav" ] || fail "removing the package touched the player's data"

finish

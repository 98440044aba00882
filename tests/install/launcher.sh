#!/bin/sh
# The launcher of a copied (so moved) install, with a stand-in game that tells
# where it was started: it must make the data directory, copy the missing
# cues, keep the player's own files and start the game there.
. "$(dirname "$0")/lib.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
moved="$scratch/moved prefix"
cp -a "$prefix" "$moved"
cat >"$moved/libexec/zelvane/zelvane" <<'STUB'
#!/bin/sh
echo "cwd=$PWD args=$#"
exit 3
STUB

# run_launcher NAME EXPECTED_DATA_DIR LAUNCHER [VAR=VALUE...]: runs the
# launcher with a clean environment plus the given variables, then checks the
# data directory and that the game's own exit status came back.
run_launcher() {
  name=$1 data=$2 launcher=$3
  shift 3
  status=0
  output=$(cd "$scratch" && env -i PATH="$PATH" HOME="$scratch/home" "$@" "$launcher") || status=$?
  [ "$status" -eq 3 ] || fail "$name: launcher returned $status, not the game's 3"
  [ "$output" = "cwd=$data args=0" ] || fail "$name: game said '$output', expected cwd=$data args=0"
  for cue in $cues; do
    [ -f "$data/$cue.wav" ] || fail "$name: $cue.wav not copied to $data"
  done
}

run_launcher "XDG_DATA_HOME with a space" "$scratch/my data/zelvane" \
  "$moved/bin/zelvane" XDG_DATA_HOME="$scratch/my data"
for cue in $cues; do
  cmp -s "$moved/share/zelvane/$cue.wav" "$scratch/my data/zelvane/$cue.wav" ||
    fail "copied $cue.wav differs from the installed one"
done

run_launcher "no XDG_DATA_HOME" "$scratch/home/.local/share/zelvane" "$moved/bin/zelvane"
run_launcher "empty XDG_DATA_HOME" "$scratch/home/.local/share/zelvane" "$moved/bin/zelvane" XDG_DATA_HOME=
run_launcher "relative XDG_DATA_HOME" "$scratch/home/.local/share/zelvane" "$moved/bin/zelvane" XDG_DATA_HOME=data

mkdir "$scratch/links"
ln -s "$moved/bin/zelvane" "$scratch/links/zelvane"
run_launcher "started through a symlink" "$scratch/linked/zelvane" \
  "$scratch/links/zelvane" XDG_DATA_HOME="$scratch/linked"

# The player's scores and a cue they replaced survive a later start.
kept=$scratch/kept/zelvane
mkdir -p "$kept"
echo "my scores" >"$kept/jkl.yen"
echo "my own cue" >"$kept/def.wav"
run_launcher "existing player files" "$kept" "$moved/bin/zelvane" XDG_DATA_HOME="$scratch/kept"
[ "$(cat "$kept/jkl.yen")" = "my scores" ] || fail "jkl.yen was overwritten"
[ "$(cat "$kept/def.wav")" = "my own cue" ] || fail "the player's def.wav was overwritten"

# ./play.sh runs the build tree's launcher at its fresh build and the source cues.
run_launcher "pointed at a build" "$scratch/build data/zelvane" \
  "$ZELVANE_BUILD_DIR/packaging/zelvane" XDG_DATA_HOME="$scratch/build data" \
  ZELVANE_EXECUTABLE="$moved/libexec/zelvane/zelvane" ZELVANE_CUES_DIR="$ZELVANE_SOURCE_DIR/assets/sounds"

finish

#!/bin/sh
# The installed tree: exactly the expected files with their modes, each
# installed once, icons of the sizes their directories claim, and a desktop
# entry and metainfo that point at what is installed.
. "$(dirname "$0")/lib.sh"

metainfo=share/metainfo/org.zelvane.Zelvane.metainfo.xml
{
  echo "755 bin/zelvane"
  echo "755 libexec/zelvane/zelvane"
  for cue in $cues; do echo "644 share/zelvane/$cue.wav"; done
  echo "644 share/applications/zelvane.desktop"
  echo "644 $metainfo"
  for size in $icon_sizes; do echo "644 share/icons/hicolor/${size}x$size/apps/zelvane.png"; done
  echo "644 share/man/man6/zelvane.6.gz"
  echo "644 share/doc/zelvane/copyright"
  echo "644 share/doc/zelvane/changelog.gz"
} | sort -k2 >"$ZELVANE_ROOT/expected"
(cd "$prefix" && find . -type f -printf '%m %P\n') | sort -k2 >"$ZELVANE_ROOT/installed"
diff -u "$ZELVANE_ROOT/expected" "$ZELVANE_ROOT/installed" ||
  fail "installed files or their modes differ from the expected"

twice=$(sed -n 's/^-- \(Installing\|Up-to-date\): //p' "$ZELVANE_ROOT/install.log" | sort | uniq -d)
[ -z "$twice" ] || fail "installed more than once: $twice"

head -c 4 "$prefix/libexec/zelvane/zelvane" | od -An -c | grep -q 'E   L   F' ||
  fail "libexec/zelvane/zelvane is not the game executable"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in $icon_sizes; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/zelvane.png
  [ -f "$icon" ] || continue
  dims=$(od -An -tu1 -j16 -N8 "$icon" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
  [ "$dims" = "${size}x$size" ] || fail "icon in ${size}x$size is $dims"
done

desktop=$prefix/share/applications/zelvane.desktop
exec_line=$(desktop_value "$desktop" Exec)
[ "$exec_line" = zelvane ] || fail "desktop entry runs '$exec_line', not the launcher on the PATH"
[ -x "$prefix/bin/$exec_line" ] || fail "desktop entry's command $exec_line is not in bin/"
icon_name=$(desktop_value "$desktop" Icon)
[ -f "$prefix/share/icons/hicolor/48x48/apps/$icon_name.png" ] || fail "desktop entry's icon '$icon_name' is not installed"

grep -q '<id>org.zelvane.Zelvane</id>' "$prefix/$metainfo" || fail "metainfo id does not match its file name"
grep -q '<launchable type="desktop-id">zelvane.desktop</launchable>' "$prefix/$metainfo" ||
  fail "metainfo does not launch zelvane.desktop"

# Each place that names the release must name the project's version.
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$prefix/$metainfo" | head -n 1)
[ "$release" = "$ZELVANE_VERSION" ] || fail "metainfo's newest release is '$release', not $ZELVANE_VERSION"
logged=$(gzip -dc "$prefix/share/doc/zelvane/changelog.gz" | sed -n '1s/^zelvane (\([^)]*\)).*/\1/p')
[ "$logged" = "$ZELVANE_VERSION" ] || fail "changelog's newest entry is '$logged', not $ZELVANE_VERSION"
gzip -dc "$prefix/share/man/man6/zelvane.6.gz" | grep -q "^\.TH ZELVANE 6 .*\"Zelvane $ZELVANE_VERSION\"" ||
  fail "manual page does not name version $ZELVANE_VERSION"

finish

#!/bin/sh
# shellcheck disable=SC2034 # its variables are for the tests that source it
# Shared by the install tests: where things are and how a check fails.
# ZELVANE_ROOT is a scratch system root; the game is installed under its /usr.
set -eu
prefix=$ZELVANE_ROOT/usr
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
}

# The value of KEY in the desktop entry FILE.
desktop_value() {
  sed -n "s/^$2=//p" "$1"
}

cues="abc bcd cde def efg fgh ghi hij ijk"
icon_sizes="16 32 48 64 128"

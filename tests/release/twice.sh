#!/usr/bin/env bash
# Builds the release twice, the second time later, with its clean tree in a
# folder of another name and length and under another umask, and checks that
# both give the same files. Where they differ, diffoscope shows how.
# Usage: tests/release/twice.sh [WORK_DIR]   (default build/release-test)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mkdir -p "${1:-$source_dir/build/release-test}" && cd "${1:-$source_dir/build/release-test}" && pwd)
rm -rf "${work:?}"/*
mkdir -p "$work/first" "$work/second/a-longer-folder-for-the-second-tree"

"$source_dir/packaging/release.sh" "$work/first" >"$work/first.log" 2>&1 ||
  { tail -n 30 "$work/first.log" >&2; echo "twice.sh: the first release failed" >&2; exit 1; }
first=$(tail -n 1 "$work/first.log")
(umask 027 && TMPDIR="$work/second/a-longer-folder-for-the-second-tree" \
  "$source_dir/packaging/release.sh" "$work/second" >"$work/second.log" 2>&1) ||
  { tail -n 30 "$work/second.log" >&2; echo "twice.sh: the second release failed" >&2; exit 1; }
second=$(tail -n 1 "$work/second.log")

if cmp -s "$first/SHA256SUMS" "$second/SHA256SUMS"; then
  echo "twice.sh: both releases are the same:"
  cat "$first/SHA256SUMS"
  exit 0
fi
echo "twice.sh: the releases differ:" >&2
diff "$first/SHA256SUMS" "$second/SHA256SUMS" >&2 || true
for file in "$first"/*; do
  [[ $file != */SHA256SUMS ]] || continue
  name=$(basename "$file")
  cmp -s "$file" "$second/$name" && continue
  diffoscope "$file" "$second/$name" >"$work/$name.diffoscope.txt" || true
  echo "--- $name (all of it in $work/$name.diffoscope.txt):" >&2
  head -n 40 "$work/$name.diffoscope.txt" >&2
done
exit 1

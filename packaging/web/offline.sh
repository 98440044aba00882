#!/usr/bin/env bash
# Writes the service worker of a built site (packaging/web/build.sh): every
# file of the site, kept under a cache named by the hash of them all, so a
# new build takes the place of the old one. Usage: offline.sh <site folder>
set -euo pipefail
site=$1
worker=$(realpath "$(dirname "$0")/offline.js")
rm -f "$site/offline.js"
mapfile -t files < <(cd "$site" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
hash=$(cd "$site" && cat "${files[@]}" - <"$worker" | sha256sum | cut -c1-16)
{
  echo "// Made by packaging/web/offline.sh for this build."
  echo "const build = '$hash';"
  echo "const files = ['./'$(printf ", '%s'" "${files[@]}")];"
  cat "$worker"
} >"$site/offline.js"

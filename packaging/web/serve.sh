#!/usr/bin/env bash
# Serves the browser build (packaging/web/build.sh) on 127.0.0.1; Python's
# server prints the address.
# Usage: packaging/web/serve.sh [port, 0 for any free one] [site folder]
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/setup.sh web >&2
site=${2:-build/web/site}
[[ -e $site/index.html ]] || { echo "serve.sh: nothing built yet: run packaging/web/build.sh" >&2; exit 1; }
exec python3 -u -m http.server --bind 127.0.0.1 --directory "$site" "${1:-8080}"

#!/bin/sh
# Installs the build into a fresh scratch root, keeping the log: the layout
# test reads it to see that nothing is installed twice.
. "$(dirname "$0")/lib.sh"
rm -rf "$ZELVANE_ROOT"
mkdir -p "$ZELVANE_ROOT"
cmake --install "$ZELVANE_BUILD_DIR" --prefix "$prefix" >"$ZELVANE_ROOT/install.log"
cat "$ZELVANE_ROOT/install.log"

#!/bin/sh
# The desktop entry and the AppStream metainfo as installed pass the
# freedesktop and AppStream validators, alone and as one installed tree.
. "$(dirname "$0")/lib.sh"

desktop-file-validate "$prefix/share/applications/zelvane.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --strict "$prefix"/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
appstreamcli validate-tree --no-net --strict "$ZELVANE_ROOT" || fail "appstreamcli validate-tree"

finish

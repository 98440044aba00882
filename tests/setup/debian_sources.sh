#!/usr/bin/env bash
# The deb-src lines the set-up derives from apt's sources, one case per kind of
# machine: a fixture apt folder and the lines (or the error) it must give.
set -euo pipefail
derive=${ZELVANE_SOURCE_DIR:?}/scripts/debian_source_lines.sh
apt=$(mktemp -d)
trap 'rm -rf "$apt"' EXIT
failures=0
key=/usr/share/keyrings/debian-archive-keyring.gpg

# machine NAME: starts an empty apt folder for the case NAME.
machine() {
  name=$1
  rm -rf "${apt:?}"/*
  mkdir -p "$apt/sources.list.d"
}
# expect: compares the derived lines (or the error) with standard input.
expect() {
  local got
  got=$("$derive" "$apt" 2>&1) || true
  if [[ $got != "$(cat)" ]]; then
    echo "FAIL: $name gave:" >&2
    echo "$got" >&2
    failures=$((failures + 1))
  fi
}

machine "sources.list only, with options, comments and other vendors"
cat >"$apt/sources.list" <<'LIST'
# deb http://deb.debian.org/debian bookworm-backports main
deb http://deb.debian.org/debian bookworm main contrib # the main archive
deb [arch=amd64 signed-by=/k.gpg] http://security.debian.org/debian-security bookworm-security main
deb-src http://deb.debian.org/debian bookworm main
deb https://download.docker.com/linux/debian bookworm stable
deb http://archive.ubuntu.com/ubuntu jammy main
LIST
expect <<'LINES'
deb-src http://deb.debian.org/debian bookworm main contrib
deb-src [arch=amd64 signed-by=/k.gpg] http://security.debian.org/debian-security bookworm-security main
LINES

machine "deb822 only, as Debian 12 installs it, comments inside the stanzas"
cat >"$apt/sources.list.d/debian.sources" <<SOURCES
Types: deb
# http://snapshot.debian.org/archive/debian/20250520T000000Z
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: $key

Types: deb
# http://snapshot.debian.org/archive/debian-security/20250520T000000Z
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: $key
SOURCES
expect <<LINES
deb-src [signed-by=$key] http://deb.debian.org/debian bookworm main
deb-src [signed-by=$key] http://deb.debian.org/debian bookworm-updates main
deb-src [signed-by=$key] http://deb.debian.org/debian-security bookworm-security main
LINES

machine "both layouts, several URIs, disabled and foreign entries, a key in the stanza"
echo "deb http://ftp.de.debian.org/debian/ bookworm main" >"$apt/sources.list"
echo "deb http://mirror.example.org/debian/ bookworm main" >"$apt/sources.list.d/mirror.list"
cat >"$apt/sources.list.d/more.sources" <<'SOURCES'
# Two mirrors, one suite.
types: deb deb-src
uris: http://a.example/debian
  http://b.example/debian
suites: bookworm
components: main non-free-firmware
signed-by:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL0BUBEAD
 -----END PGP PUBLIC KEY BLOCK-----

Types: deb
URIs: http://deb.debian.org/debian
Suites: trixie
Components: main
Enabled: no

Types: deb
URIs: https://deb.nodesource.com/node_20.x
Suites: nodistro
Components: main
SOURCES
expect <<'LINES'
deb-src http://ftp.de.debian.org/debian/ bookworm main
deb-src http://mirror.example.org/debian/ bookworm main
deb-src http://a.example/debian bookworm main non-free-firmware
deb-src http://b.example/debian bookworm main non-free-firmware
LINES

machine "no Debian entry"
echo "# deb http://deb.debian.org/debian bookworm main" >"$apt/sources.list"
echo "deb http://archive.ubuntu.com/ubuntu jammy main" >"$apt/sources.list.d/ubuntu.list"
expect <<LINES
debian_source_lines.sh: no enabled Debian archive in $apt/sources.list, $apt/sources.list.d/*.list or *.sources
LINES

machine "no apt sources at all"
expect <<LINES
debian_source_lines.sh: no enabled Debian archive in $apt/sources.list, $apt/sources.list.d/*.list or *.sources
LINES

[[ $failures -eq 0 ]] || exit 1
echo "all cases passed"

# shellcheck shell=bash
# Sourced by the scripts that build the game's libraries for another platform.

# fetch_debian_source PACKAGE INTO: unpacks Debian's source of PACKAGE under
# the folder INTO and prints the unpacked folder. The newest version is asked
# for first; an archive may list a version whose files it does not serve (a
# security update, say), and then the older ones are tried. What apt-get says
# goes to INTO.log, shown when no version can be had.
fetch_debian_source() {
  local package=$1 into=$2 version
  mkdir -p "$into"
  for version in $(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -Vru); do
    if (cd "$into" && apt-get source -qq "$package=$version" >"$into.log" 2>&1); then
      find "$into" -mindepth 1 -maxdepth 1 -type d
      return
    fi
    rm -rf "${into:?}"/*
  done
  echo "no source of $package could be fetched; last attempt:" >&2
  cat "$into.log" >&2
  return 1
}

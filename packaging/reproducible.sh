# shellcheck shell=bash
# Sourced by the packaging scripts: what makes two builds of one commit give
# the same bytes.

# Every time a build records (archive entries, the installer's file dates, the
# compilers' __DATE__) is the commit's time; release.sh sets it for its clean
# tree, which has no git history of its own.
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  SOURCE_DATE_EPOCH=$(git -C "$(dirname "${BASH_SOURCE[0]}")" log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH

# settle_files DIR: dates everything under DIR (DIR too) at SOURCE_DATE_EPOCH
# and gives it plain permissions, so that what packs it records neither the
# build's time nor the builder's umask.
settle_files() {
  chmod -R u=rwX,go=rX "$1"
  find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

# pack_zip DIR ZIP: packs the folder DIR into ZIP with DIR itself as the one
# folder at the top, entries in a fixed order, without owners or extra times.
pack_zip() {
  local dir=$1 zip
  zip=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
  settle_files "$dir"
  rm -f "$zip"
  (cd "$(dirname "$dir")" && find "$(basename "$dir")" | LC_ALL=C sort | TZ=UTC zip -X -q -9 "$zip" -@)
}

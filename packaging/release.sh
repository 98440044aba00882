#!/usr/bin/env bash
# Builds a release of the current commit, in a clean temporary tree taken from
# git (changes not committed stay out), into DIST/zelvane-<version>/: the
# Debian package, the Windows zip and installer, the browser site as a zip, the
# source archive, RELEASE-NOTES.md from CHANGELOG.md, and SHA256SUMS over them.
# Two runs on one commit give the same bytes. Prints the release's folder last.
# Usage: packaging/release.sh [DIST]   (default dist)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
dist=$(mkdir -p "${1:-$source_dir/dist}" && cd "${1:-$source_dir/dist}" && pwd)
"$source_dir/scripts/setup.sh" release

cd "$source_dir"
commit=$(git rev-parse HEAD)
if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
  echo "release.sh: the changes not committed are left out of the release of $commit" >&2
fi
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The tree's path goes into compiler flags, which cannot quote a space.
if [[ $work == *[[:space:]]* ]]; then
  echo "release.sh: the temporary folder '$work' has a space in its path: set TMPDIR to one without" >&2
  exit 1
fi
tree=$work/tree
mkdir "$tree"
git archive "$commit" | tar -x -C "$tree"
# What the compilers record of their files is relative to the tree, wherever
# the tree is (the Debian build's own flags do the same).
export CFLAGS="-ffile-prefix-map=$tree/=" CXXFLAGS="-ffile-prefix-map=$tree/="

# The browser's and Windows' libraries take minutes to build. The tree starts
# with the repository's builds of them, and deps.sh keeps those only when the
# checksum of the recipe that built them (its stamp) is the tree's own, as it
# does in the repository: the libraries are then built from the same Debian
# sources by the same script, wherever that ran. The set-up likewise keeps the
# browser tests' node modules only when they match the tree's lock file.
for cache in build/web/deps/prefix build/windows/deps/x86_64-w64-mingw32 tests/web/node_modules; do
  if [[ -d $source_dir/$cache ]]; then
    mkdir -p "$tree/$(dirname "$cache")"
    cp -a "$source_dir/$cache" "$tree/$cache"
  fi
done

deb=$("$tree/packaging/build-deb.sh" | tail -n 1)
windows=$("$tree/packaging/windows/build.sh" | tail -n 2)
mapfile -t windows <<<"$windows"
site=$("$tree/packaging/web/build.sh" | tail -n 1)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$tree/build/deb/CMakeCache.txt")
name=zelvane-$version

# shellcheck source=reproducible.sh
source "$tree/packaging/reproducible.sh"
out=$dist/$name
rm -rf "$out"
mkdir -p "$out"
cp "$deb" "${windows[@]}" "$out/"
cp -r "$tree/$site" "$work/$name-web"
pack_zip "$work/$name-web" "$out/$name-web.zip"
git archive --format=tar.gz --prefix="$name/" -o "$out/$name.tar.gz" "$commit"

# The notes are the changelog's section for this version.
{
  awk -v heading="## [$version]" '
    index($0, heading) == 1 { found = 1; sub(/^## \[/, "# Zelvane "); sub(/\]/, "") }
    found && /^## / { exit }
    found && /^$/ { blank++; next }
    found { for (; blank; blank--) print ""; print }' "$tree/CHANGELOG.md"
  echo
  echo "Check a download against SHA256SUMS with \`sha256sum -c --ignore-missing SHA256SUMS\`."
} >"$out/RELEASE-NOTES.md"
(cd "$out" && export LC_ALL=C && sha256sum -- *) >"$work/SHA256SUMS"
mv "$work/SHA256SUMS" "$out/"
echo "$out"

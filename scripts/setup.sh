#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those still missing.
# Usage: scripts/setup.sh [play|test|fuzz|web|windows]...
set -euo pipefail
cd "$(dirname "$0")/.."

PLAY_PACKAGES=(
  build-essential cmake pkg-config
  libsdl2-dev libx11-dev libpng-dev
  # SDL draws its message box on X11 with a core font: without one, a failed
  # save could be told on standard error only.
  xfonts-base
)
# The asset tools, the tests, the end-to-end runs under a virtual display and
# the checks of the installed game and its Debian package.
TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev fonts-dejavu-core fonts-dejavu-extra libsndfile1-dev
  xvfb xdotool x11-utils imagemagick sox
  desktop-file-utils appstream lintian file
  clang-format git
)
# The clang build that fuzz/run.sh makes for the records fuzzer.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The browser build (packaging/web/build.sh) and its tests in Debian's Chromium.
WEB_PACKAGES=(emscripten chromium dpkg-dev python3)
# The Windows build: the 64-bit mingw-w64 toolchain with POSIX threads (for
# std::thread), Debian's sources of the libraries it links, the icon packer and
# the installer maker; then Wine on a virtual display to run what it made.
WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  dpkg-dev icoutils nsis
  wine wine64 xvfb xdotool x11-utils imagemagick
)

sets=("$@")
[[ ${#sets[@]} -gt 0 ]] || sets=(play)
packages=("${PLAY_PACKAGES[@]}")
web=false
sources_needed=false
for set in "${sets[@]}"; do
  case "$set" in
    play) ;;
    test) packages+=("${TEST_PACKAGES[@]}") ;;
    fuzz) packages+=("${TEST_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}") ;;
    web)
      packages+=("${WEB_PACKAGES[@]}")
      # Node.js may come from elsewhere with its own npm; Debian's npm only where none is.
      command -v npm >/dev/null || packages+=(npm)
      web=true
      sources_needed=true
      ;;
    windows)
      packages+=("${WINDOWS_PACKAGES[@]}")
      sources_needed=true
      ;;
    *)
      echo "setup.sh: unknown set '$set' (play, test, fuzz, web or windows)" >&2
      exit 2
      ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
# Another install may hold the package lock for a while: wait for it.
apt=("${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900)
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  "${apt[@]}" update -qq
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi
$sources_needed || exit 0

# The browser and Windows builds compile SDL2, libpng and zlib from Debian's own sources:
# a deb-src line of ours for each archive and suite the machine takes Debian's
# packages from, in either format of apt's sources; the machine's own stay.
debian_source_lines() {
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" && /debian/ { $1 = "deb-src"; print }'
  cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v RS= '
    {
      delete field
      n = split($0, lines, "\n")
      for (i = 1; i <= n; i++) {
        if (lines[i] ~ /^#/ || !match(lines[i], /^[A-Za-z-]+:/)) continue
        field[tolower(substr(lines[i], 1, RLENGTH - 1))] = substr(lines[i], RLENGTH + 2)
      }
      if (field["types"] !~ /(^| )deb( |$)/ || field["uris"] !~ /debian/ || field["enabled"] ~ /no/) next
      options = field["signed-by"] == "" ? "" : "[signed-by=" field["signed-by"] "] "
      split(field["uris"], uris, " "); split(field["suites"], suites, " ")
      for (u in uris) for (s in suites) print "deb-src " options uris[u] " " suites[s] " " field["components"]
    }'
}
sources=/etc/apt/sources.list.d/zelvane-deb-src.list
if [[ ! -e $sources ]]; then
  debian_source_lines | "${sudo[@]}" tee "$sources" >/dev/null
  "${apt[@]}" update -qq
fi
$web || exit 0
# puppeteer-core drives the installed Chromium and downloads no browser. The
# lock file's copy in node_modules tells that the modules match it.
modules=tests/web/node_modules
if ! cmp -s tests/web/package-lock.json "$modules/.zelvane-lock"; then
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
  cp tests/web/package-lock.json "$modules/.zelvane-lock"
fi

#!/usr/bin/env bash
# Sets a Debian machine up for the project: the packages it needs (only those
# still missing), a deb-src list for the builds that compile Debian's sources,
# and the browser tests' node modules. Any step that fails says so on stderr.
# Usage: scripts/setup.sh [play|test|fuzz|web|windows|release]...
set -Eeuo pipefail
cd "$(dirname "$0")/.."
step="reading the arguments"
# Said once, by the shell itself rather than by a subshell that failed in it.
trap '[[ $BASH_SUBSHELL -gt 0 ]] || echo "setup.sh: failed while $step" >&2' ERR

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
  clang-format shellcheck git
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
  dpkg-dev icoutils nsis zip
  wine wine64 xvfb xdotool x11-utils imagemagick
)

# packaging/release.sh builds the Debian package, the browser and the Windows
# game, and shows with diffoscope what differs between two of its builds.
RELEASE_PACKAGES=(diffoscope-minimal git)

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
# Another install may hold the package lock for a while: wait for it.
apt=("${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900)
# A list not yet renamed into place goes when the set-up stops.
temporary=
trap '[[ -z $temporary ]] || "${sudo[@]}" rm -f "$temporary"' EXIT

# The Debian packages of the sets asked for, those not installed yet.
install_packages() {
  local package missing=()
  step="checking which packages are installed"
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [[ ${#missing[@]} -gt 0 ]] || return 0
  echo "Installing: ${missing[*]}"
  step="updating apt's package lists"
  "${apt[@]}" update -qq
  step="installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}

# Our deb-src list, through which the browser and Windows builds fetch Debian's sources.
write_source_list() {
  local list=/etc/apt/sources.list.d/zelvane-deb-src.list lines
  # A deb-src line for each Debian archive and suite the machine takes its
  # packages from; the machine's own lists stay as they are. A list through
  # which apt finds no source package (empty, say) is written anew.
  step="asking apt for Debian's sources"
  if [[ -s $list ]] && apt-cache showsrc zlib 2>/dev/null | grep '^Package:' >/dev/null; then return 0; fi
  step="reading the machine's apt sources"
  lines=$(scripts/debian_source_lines.sh)
  step="writing $list"
  # Beside the list, on the same file system, so the rename is atomic, but
  # outside sources.list.d, so apt never reads it half written.
  temporary=$("${sudo[@]}" mktemp /etc/apt/zelvane-deb-src.XXXXXX)
  printf '%s\n' "$lines" | "${sudo[@]}" tee "$temporary" >/dev/null
  "${sudo[@]}" chmod 644 "$temporary"
  "${sudo[@]}" mv "$temporary" "$list"
  temporary=
  step="updating apt's package lists with $list"
  "${apt[@]}" update -qq
  step="finding Debian's source of zlib through $list"
  apt-cache showsrc zlib | grep '^Package:' >/dev/null
}

# The browser tests' node modules, as the lock file in tests/web names them.
install_node_modules() {
  # puppeteer-core drives the installed Chromium and downloads no browser. The
  # lock file's copy in node_modules tells that the modules match it.
  local modules=tests/web/node_modules
  cmp -s tests/web/package-lock.json "$modules/.zelvane-lock" && return 0
  step="installing the browser tests' node modules (npm ci)"
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
  cp tests/web/package-lock.json "$modules/.zelvane-lock"
}

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
    web) packages+=("${WEB_PACKAGES[@]}") web=true sources_needed=true ;;
    windows) packages+=("${WINDOWS_PACKAGES[@]}") sources_needed=true ;;
    release)
      packages+=("${WEB_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${RELEASE_PACKAGES[@]}")
      web=true sources_needed=true
      ;;
    *)
      echo "setup.sh: unknown set '$set' (play, test, fuzz, web, windows or release)" >&2
      exit 2
      ;;
  esac
done
# Node.js may come from elsewhere with its own npm; Debian's npm only where none is.
if $web && ! command -v npm >/dev/null; then packages+=(npm); fi

# The three jobs, each only where the sets asked for need it.
install_packages "${packages[@]}"
if $sources_needed; then write_source_list; fi
if $web; then install_node_modules; fi

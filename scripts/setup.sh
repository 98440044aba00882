#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those still missing.
# Usage: scripts/setup.sh [play|test|fuzz]
set -euo pipefail

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

packages=("${PLAY_PACKAGES[@]}")
if [[ "${1:-play}" == test || "${1:-play}" == fuzz ]]; then packages+=("${TEST_PACKAGES[@]}"); fi
if [[ "${1:-play}" == fuzz ]]; then packages+=("${FUZZ_PACKAGES[@]}"); fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
# Another install may hold the package lock for a while: wait for it.
apt=("${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900)
"${apt[@]}" update -qq
DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those still missing.
# Usage: scripts/setup.sh [play|test]
set -euo pipefail

PLAY_PACKAGES=(
  build-essential cmake pkg-config
  libsdl2-dev libpng-dev
)
# The asset tools, the tests and the end-to-end runs under a virtual display.
TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev fonts-dejavu-core fonts-dejavu-extra
  xvfb xdotool x11-utils imagemagick sox
)

packages=("${PLAY_PACKAGES[@]}")
if [[ "${1:-play}" == test ]]; then packages+=("${TEST_PACKAGES[@]}"); fi

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
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

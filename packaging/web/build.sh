#!/usr/bin/env bash
# Builds the game for the browser into build/web/site: the page, the game's
# .js and .wasm, and its packed sound cues (zelvane.data). Prints the folder.
# Arguments go to CMake (test.sh adds -DZELVANE_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/setup.sh web
# Debian's emscripten finds its JavaScript tools among Debian's node modules.
export NODE_PATH=/usr/share/nodejs
packaging/web/deps.sh
build=build/web/cmake
# Our SDL2, libpng and zlib come first: emscripten's own SDL2 config would
# point at its port, which it downloads.
emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=MinSizeRel -DZELVANE_TESTS=OFF -DZELVANE_TOOLS=OFF \
  -DCMAKE_FIND_ROOT_PATH="$PWD/build/web/deps/prefix" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" --target zelvane
site=build/web/site
rm -rf "$site"
mkdir -p "$site"
cp "$build"/src/platform/zelvane.{js,wasm,data} packaging/web/page.js assets/icons/zelvane-{16,32}.png "$site"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
sed "s/@VERSION@/$version/g" packaging/web/index.html >"$site/index.html"
# emscripten's file packager gives the cues' package a random uuid, read only
# by its preload cache, which the game does not use: the package's checksum
# stands in, so that two builds of one commit give the same zelvane.js.
uuid=$(sha256sum "$site/zelvane.data" | sed -E 's/^(.{8})(.{4})(.{4})(.{4})(.{12}).*/\1-\2-\3-\4-\5/')
sed -i -E "s/\"package_uuid\":\"[0-9a-f-]{36}\"/\"package_uuid\":\"$uuid\"/" "$site/zelvane.js"
echo "$site"

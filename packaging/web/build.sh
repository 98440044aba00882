#!/usr/bin/env bash
# Builds the game for the browser into build/web/site: the page, its icons and
# web app manifest, the game's .js and .wasm, its sound cues (cues/) and the
# service worker that keeps them all for offline play. Prints the folder.
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
cp -r "$build"/src/platform/{zelvane.js,zelvane.wasm,cues} packaging/web/{page.js,manifest.json} \
  assets/icons/zelvane-{16,32,192,512}.png "$site"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
sed "s/@VERSION@/$version/g" packaging/web/index.html >"$site/index.html"
packaging/web/offline.sh "$site"
echo "$site"

#!/usr/bin/env bash
# build.sh -- the browser build: SDL2 for the web from the source that
# `scripts/install-deps --web` fetched (built once into .cache/web/sdl2-web and
# reused), then the game in OUT/cmake with the data files of DATA preloaded,
# the icons from the data tool, and the folder to host in OUT/site (pack.js).
#   src/web/build.sh DATA OUT DATA_TOOL
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
data="$(cd "$1" && pwd)"; out="$2"; datatool="$(cd "$(dirname "$3")" && pwd)/$(basename "$3")"
cache="$root/.cache/web"
jobs="$(nproc)"
# Debian's emscripten finds its JS parser among Debian's node modules.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

for tool in emcmake emcc; do
  command -v "$tool" >/dev/null || { echo "build.sh: $tool missing: run scripts/install-deps --web" >&2; exit 1; }
done
if [ ! -f "$cache/sdl2-src/CMakeLists.txt" ]; then
  echo "build.sh: SDL2's source is not in $cache/sdl2-src: run scripts/install-deps --web" >&2
  exit 1
fi

if [ ! -f "$cache/sdl2-web/lib/libSDL2.a" ]; then
  echo "build.sh: building SDL2 for the web once, into $cache/sdl2-web"
  rm -rf "$cache/sdl2-build"
  emcmake cmake -S "$cache/sdl2-src" -B "$cache/sdl2-build" -DCMAKE_BUILD_TYPE=Release \
    -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DCMAKE_INSTALL_PREFIX="$cache/sdl2-web" >/dev/null
  cmake --build "$cache/sdl2-build" -j "$jobs" >/dev/null
  cmake --install "$cache/sdl2-build" >/dev/null
fi

emcmake cmake -S "$root/src/web" -B "$out/cmake" -DCMAKE_BUILD_TYPE=Release \
  -DSDL2_DIR="$cache/sdl2-web/lib/cmake/SDL2" -DCOURTBALL_DATA="$data" >/dev/null
cmake --build "$out/cmake" -j "$jobs"
mkdir -p "$out/icons"
for size in 192 512; do "$datatool" icon "$size" "$out/icons/icon-$size.png"; done
node "$root/src/web/pack.js" "$out/cmake" "$out/icons" "$out/site"

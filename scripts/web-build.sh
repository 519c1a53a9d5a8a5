#!/bin/sh
# Builds the program as a web page with Debian's Emscripten:
#   build-web/site/             the folder for a web server (with its offline app)
#   build-web/monte-carlo.html  one self-contained file that opens from disk
#   BUILD_DIR  where to build (default build-web)
set -eu
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-web}"

./scripts/install-deps.sh --web
# emcc's JS optimiser needs Debian's acorn, also when another node comes first on the path.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMC_BUILD_TESTS=OFF -DMC_BUILD_BENCHMARKS=OFF \
    ${MC_WERROR:+-DMC_WERROR=$MC_WERROR} >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target monte-carlo-web monte-carlo-web-single
/usr/bin/python3 web/pack.py "$build"
echo "web page: $build/site/index.html and $build/monte-carlo.html"

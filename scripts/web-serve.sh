#!/bin/sh
# Builds the web page and serves its folder on this machine only:
#   scripts/web-serve.sh [PORT]   (default 8080), then open the address it prints.
set -eu
cd "$(dirname "$0")/.."
port="${1:-8080}"
./scripts/web-build.sh
echo "Monte Carlo: http://127.0.0.1:$port/  (Strg+C beendet)"
exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "${BUILD_DIR:-build-web}/site"

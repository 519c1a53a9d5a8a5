#!/bin/sh
# Installs what is missing (through sudo when not root), builds the program and
# starts it on the current desktop.
set -eu
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)" --target monte-carlo
exec ./build/monte-carlo

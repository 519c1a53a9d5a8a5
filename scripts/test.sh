#!/bin/sh
# Installs what is missing, builds the project and runs every test.
set -eu
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

jobs="$(nproc)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$jobs"
ctest --test-dir build --output-on-failure --parallel "$jobs"

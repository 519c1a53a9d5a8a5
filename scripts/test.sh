#!/bin/sh
# Installs what is missing, builds the project and runs every test: once in a
# normal build, then the toolkit-free suites built with clang (about a minute),
# then checks the Debian package (in a scratch folder, nothing is installed),
# runs the fuzz targets for a bounded time, cross-builds the Windows program and
# runs it, its suites and its installer under Wine, runs the web build's tests
# (the suites under node, its number texts against the native build's, the page
# in browsers: scripts/web-tests.sh), and runs the suite once more
# built with AddressSanitizer and UndefinedBehaviorSanitizer
# (its ctest summary is the last line). Our own checks treat warnings as errors
# (MC_WERROR); a plain build does not.
#
# Its build folders are its own (build-test, build-clang, build-asan, build-fuzz,
# build-win, build-web-tests, build-web). Run as root (sudo, CI), whatever it
# made in the checkout is handed back to the checkout's owner when it ends, so
# that a later build as that user is not refused.
set -eu
cd "$(dirname "$0")/.."

owner="$(stat -c %u:%g .)"
if [ "$(id -u)" -eq 0 ] && [ "$owner" != 0:0 ]; then
    trap 'find . -xdev -user 0 -exec chown -h "$owner" {} +' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
fi

./scripts/install-deps.sh --test

jobs="$(nproc)"

echo "== build and tests"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMC_BUILD_GUI=ON -DMC_BUILD_TESTS=ON \
    -DMC_BUILD_BENCHMARKS=ON -DMC_SANITIZE=OFF -DMC_WERROR=ON
cmake --build build-test --parallel "$jobs"
ctest --test-dir build-test --output-on-failure --parallel "$jobs"

echo "== toolkit-free suites built with clang"
CC=clang CXX=clang++ cmake -S . -B build-clang -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMC_BUILD_GUI=OFF \
    -DMC_BUILD_TESTS=ON -DMC_BUILD_BENCHMARKS=OFF -DMC_SANITIZE=OFF -DMC_WERROR=ON
cmake --build build-clang --parallel "$jobs"
ctest --test-dir build-clang --output-on-failure --parallel "$jobs"

echo "== Debian package"
./scripts/check-package.sh

echo "== fuzz targets (libFuzzer, bounded run)"
./scripts/fuzz.sh

echo "== Windows program (mingw-w64, Wine)"
jobs="$jobs" ./scripts/windows-tests.sh

echo "== web"
jobs="$jobs" MC_NATIVE_BUILD=build-test ./scripts/web-tests.sh

echo "== build and tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DMC_SANITIZE=ON -DMC_BUILD_BENCHMARKS=OFF -DMC_WERROR=ON
cmake --build build-asan --parallel "$jobs"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure --parallel "$jobs"

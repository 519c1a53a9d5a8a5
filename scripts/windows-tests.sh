#!/bin/sh
# Cross-builds the Windows program and the toolkit-free suites with mingw-w64
# in build-win/ and runs the suites as Windows programs under Wine; then the
# program's own check (win32/tests/first-run-check.sh, given the exe), the
# installer's (packaging/windows/check-msi.sh) and the portable zip. Wine gets a
# private prefix, gone at the end, and no display: nothing of the user's Wine or
# desktop is touched. Prints how long each step took.
set -eu
cd "$(dirname "$0")/.."

jobs="${jobs:-$(nproc)}"
mark=$(date +%s)
begun=$mark
took() {
    now=$(date +%s)
    echo "windows-tests: $1 took $((now - mark)) s"
    mark=$now
}

cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DMC_BUILD_TESTS=ON -DMC_BUILD_BENCHMARKS=OFF -DMC_WERROR=ON
cmake --build build-win --parallel "$jobs"
took "cross build"

scratch="$(mktemp -d)"
finish() {
    WINEPREFIX="$scratch/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# No Mono or Gecko: nothing here needs .NET or HTML, and their install asks in a window.
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
/usr/lib/wine/wine64 wineboot -i
/usr/lib/wine/wineserver -w
took "Wine prefix"

ctest --test-dir build-win --output-on-failure --parallel "$jobs"
took "suites under Wine"

# The program's check starts an X server of its own.
win32/tests/first-run-check.sh build-win/monte-carlo.exe
took "program under Wine"

packaging/windows/check-msi.sh build-win
took "installer under Wine"

cmake --build build-win --target zip
took "portable zip"
echo "windows-tests: all told $(($(date +%s) - begun)) s"

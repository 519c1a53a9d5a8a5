#!/usr/bin/env bash
# Runs the Windows benchmark under Wine on its own X server and prefix and
# prints the figures beside their goals; asserts nothing.
# Usage: run-bench.sh build-folder (configured with the mingw-w64 toolchain and MC_BUILD_BENCHMARKS=ON)
set -euo pipefail
build=$(realpath "$1")
# Always a screen and prefix of its own: the figures compare runs on the same X server.
unset DISPLAY WINEPREFIX
. "$(dirname "$0")/../tests/wine-session.sh"
trap end_wine_session EXIT
wine_session 1920x1080
cd "$scratch"
bench=$build/win32/bench/win32_bench.exe
bare=$(/usr/lib/wine/wine64 "$bench" bare | tr -d '\r')
program=$(/usr/lib/wine/wine64 "$bench" program | tr -d '\r')
echo "$bare"
echo "$program"
figure() { sed -n "s/^$1 \([0-9.]*\).*/\1/p" <<<"$2"; }
awk -v shots="$(figure 'program:' "$program")" -v passes="$(figure 'bare drain:' "$bare")" \
    'BEGIN { printf "loop against bare drain: %.2f (goal at least 0.8)\n", shots / passes }'
awk -v program="$(sed -n 's/^program: peak working set \([0-9.]*\).*/\1/p' <<<"$program")" \
    -v bare="$(sed -n 's/^bare window: peak working set \([0-9.]*\).*/\1/p' <<<"$bare")" \
    'BEGIN { printf "peak memory against a bare window: %.2f (goal at most 1.3)\n", program / bare }'
x86_64-w64-mingw32-strip -o "$scratch/stripped.exe" "$build/monte-carlo.exe"
echo "monte-carlo.exe: $(stat -c %s "$build/monte-carlo.exe") bytes, stripped $(stat -c %s "$scratch/stripped.exe") bytes"

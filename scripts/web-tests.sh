#!/bin/sh
# The web build's tests: the core and layer suites compiled with Emscripten and
# run under node; the number texts and field conversions of the web build
# compared byte for byte with the native build's; then the page built
# (scripts/web-build.sh) and checked in browsers (tests/web/page_check.py).
#
# Build folders: build-web-tests (em++) and a native one for the comparison,
# MC_NATIVE_BUILD (default build-web-native; the test command passes its
# build-test). jobs sets the parallel jobs (default 2).
set -eu
cd "$(dirname "$0")/.."
jobs="${jobs:-2}"
# emcc's JS optimiser needs Debian's acorn, which a node not from Debian does not find by itself.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"

./scripts/install-deps.sh --web-test

echo "-- core and layer suites under node"
emcmake cmake -S . -B build-web-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMC_BUILD_GUI=OFF -DMC_BUILD_TESTS=ON \
    -DMC_BUILD_BENCHMARKS=OFF -DMC_SANITIZE=OFF -DMC_WERROR=ON
# The suites and the number table only: the page is web-build.sh's.
cmake --build build-web-tests --parallel "$jobs" --target core_tests presentation_tests picture_tests numbertable
ctest --test-dir build-web-tests --output-on-failure --parallel "$jobs"

echo "-- number texts and field conversions: web build against native build"
native="${MC_NATIVE_BUILD:-build-web-native}"
if [ ! -f "$native/CMakeCache.txt" ]; then
    cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMC_BUILD_GUI=OFF -DMC_BUILD_TESTS=ON \
        -DMC_BUILD_BENCHMARKS=OFF -DMC_SANITIZE=OFF -DMC_WERROR=ON
fi
cmake --build "$native" --parallel "$jobs" --target numbertable
tables="$(mktemp -d)"
trap 'rm -rf "$tables"' EXIT
"$native/tests/numbertable" >"$tables/native"
# The 3.1.6 loader would fetch() its .wasm by path under node 18 and later.
node --no-experimental-fetch build-web-tests/tests/numbertable.js >"$tables/web"
if ! cmp -s "$tables/native" "$tables/web"; then
    echo "The web build's texts differ from the native build's; the first lines, with the fields that differ:"
    python3 - "$tables/native" "$tables/web" <<'END'
import sys
shown = 0
with open(sys.argv[1], "rb") as native, open(sys.argv[2], "rb") as web:
    for number, (ours, theirs) in enumerate(zip(native, web), 1):
        if ours != theirs and shown < 10:
            shown += 1
            a, b = ours.rstrip(b"\n").split(b"\t"), theirs.rstrip(b"\n").split(b"\t")
            print(f"line {number}: {a[0].decode()}")
            for i in range(max(len(a), len(b))):
                if a[i:i + 1] != b[i:i + 1]:
                    print(f"  field {i} native: {a[i:i + 1]}\n  field {i} web:    {b[i:i + 1]}")
END
    exit 1
fi
echo "equal: $(wc -l <"$tables/native") lines, $(wc -c <"$tables/native") bytes"

echo "-- the page"
if [ -f scripts/web-build.sh ]; then
    MC_WERROR=ON bash scripts/web-build.sh
else
    echo "skipped: no scripts/web-build.sh yet"
fi
if [ -f tests/web/page_check.py ]; then
    cmake --build "$native" --parallel "$jobs" --target web_native_runs
    # Debian's python, which has selenium, also where another python3 comes first on the path.
    /usr/bin/python3 tests/web/page_check.py --web build-web --native "$native/tests/web_native_runs"
else
    echo "skipped: no tests/web/page_check.py yet"
fi

#!/bin/sh
# Builds the libFuzzer targets in fuzz/ with clang and runs each one for a
# bounded number of inputs and seconds. Inputs stay within the 299 characters a
# settings field hands to the conversions. Each run starts from a scratch copy of
# the committed seed corpus, so CI never grows it. Fails if any target crashes
# or breaks an invariant; the input that did it is kept in build-fuzz/artifacts/.
#   FUZZ_RUNS     inputs per target (default 1000000)
#   FUZZ_SECONDS  time limit per target (default 15)
set -eu
cd "$(dirname "$0")/.."
root="$(pwd)"

./scripts/install-deps.sh --test

runs="${FUZZ_RUNS:-1000000}"
seconds="${FUZZ_SECONDS:-15}"
targets="fieldtext"

echo "== build fuzz targets"
cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz --parallel "$(nproc)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT INT TERM

echo "== fuzz ($runs inputs or $seconds s per target)"
passed=0
failed=0
for target in $targets; do
    binary="$root/build-fuzz/${target}_fuzz"
    artifacts="$root/build-fuzz/artifacts/$target"
    mkdir -p "$work/$target/corpus" "$artifacts"
    cp "fuzz/corpus/$target/"* "$work/$target/corpus/"
    log="$work/$target/log"
    start="$(date +%s)"
    if (cd "$work/$target" \
        && TMPDIR="$work/$target" UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
           "$binary" -runs="$runs" -max_total_time="$seconds" -timeout=5 -max_len=299 \
           -artifact_prefix="$artifacts/" corpus >"$log" 2>&1); then
        passed=$((passed + 1))
        done_line="$(grep -o 'Done [0-9]* runs' "$log" | tail -n 1 || true)"
        line="${target}_fuzz: passed, ${done_line#Done } in $(($(date +%s) - start)) s"
    else
        failed=$((failed + 1))
        tail -n 40 "$log"
        line="${target}_fuzz: FAILED after $(($(date +%s) - start)) s, input kept in $artifacts/"
    fi
    echo "$line"
done

echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

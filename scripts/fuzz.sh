#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer) in
# build-fuzz/ and runs each for SECONDS (default 60), starting from its seed corpus in
# fuzz/corpus/NAME/. New inputs go to build-fuzz/corpus/NAME/, crashes to
# build-fuzz/artifacts/. Exits non-zero when a target finds a crash.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
SECONDS_EACH=${1:-60}
shift || true
BUILD="$ROOT/build-fuzz"

bash scripts/deps.sh --test || { echo "dependency installation failed"; exit 1; }

if ! CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DTESSARO_FUZZ=ON -DTESSARO_BUILD_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$BUILD.configure.log" 2>&1; then
    cat "$BUILD.configure.log"; echo "fuzz: configure FAILED"; exit 1
fi
if ! ninja -C "$BUILD" -j "$(nproc)" >"$BUILD.build.log" 2>&1; then
    grep -E "error|FAILED" -A3 "$BUILD.build.log" | head -60; echo "fuzz: build FAILED"; exit 1
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for t in "$BUILD"/fuzz/fuzz_*; do
        [ -x "$t" ] && [ -f "$t" ] && targets+=("$(basename "$t")")
    done
fi

mkdir -p "$BUILD/artifacts"
status=0
for name in "${targets[@]}"; do
    corpus="$BUILD/corpus/$name"
    mkdir -p "$corpus"
    seeds=()
    [ -d "$ROOT/fuzz/corpus/$name" ] && seeds=("$ROOT/fuzz/corpus/$name")
    echo "=== $name: ${SECONDS_EACH} s ==="
    log="$BUILD/$name.log"
    # Allocation stacks are taken with the full unwinder: Debian's Qt is built without
    # frame pointers, so the fast one stops inside Qt and the suppression of Qt's own JSON
    # leak (fuzz/lsan.supp) could not see the QJsonDocument::fromJson frame.
    (cd "$BUILD" && ASAN_OPTIONS=detect_leaks=1:max_malloc_fill_size=0:fast_unwind_on_malloc=0:malloc_context_size=30 \
        LSAN_OPTIONS="suppressions=$ROOT/fuzz/lsan.supp" \
        "$BUILD/fuzz/$name" -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -timeout=25 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$name-" \
        "$corpus" "${seeds[@]}") >"$log" 2>&1
    rc=$?
    grep -E "^stat::number_of_executed_units|^Done [0-9]+ runs" "$log" | tail -2
    if [ $rc -ne 0 ]; then
        tail -40 "$log"
        echo "$name: FAILED (see $log and $BUILD/artifacts/)"
        status=1
    else
        echo "$name: no crash"
    fi
done
exit $status

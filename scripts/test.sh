#!/usr/bin/env bash
# Installs what is missing, builds the panel twice (normal, and with AddressSanitizer +
# UndefinedBehaviorSanitizer) and runs the whole suite in both. Ends with a summary.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
JOBS=$(nproc)

bash scripts/deps.sh --test || { echo "dependency installation failed"; exit 1; }

passed=0
failed=0
status=0

run_suite() { # name build-dir cmake-args...
    local name=$1 dir=$2
    shift 2
    echo "=== [$name] configure and build ==="
    if ! cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1; then
        cat "$dir.configure.log"; echo "[$name] configure FAILED"; status=1; failed=$((failed + 1)); return
    fi
    if ! ninja -C "$dir" -j "$JOBS" >"$dir.build.log" 2>&1; then
        grep -E "error|FAILED" -A3 "$dir.build.log" | head -60; echo "[$name] build FAILED"; status=1; failed=$((failed + 1)); return
    fi
    if grep -q "warning:" "$dir.build.log"; then
        grep "warning:" "$dir.build.log" | head -20; echo "[$name] build has warnings"; status=1
    fi
    echo "=== [$name] tests ==="
    local log="$dir.ctest.log"
    (cd "$dir" && ctest --output-on-failure -j "$JOBS" 2>&1) | tee "$log"
    local p f
    p=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | awk '{print $6 - $1}')
    f=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | awk '{print $1}')
    if [ -z "$p" ]; then
        echo "[$name] no test summary"; status=1; failed=$((failed + 1)); return
    fi
    passed=$((passed + p))
    failed=$((failed + f))
    [ "$f" -eq 0 ] || status=1
    # Sanitizer reports fail the run even when a test binary exits 0.
    if grep -qE "ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:" "$log"; then
        echo "[$name] sanitizer report found"; status=1; failed=$((failed + 1))
    fi
}

run_suite normal "$ROOT/build" -DCMAKE_BUILD_TYPE=Release
run_suite sanitize "$ROOT/build-asan" -DTESSARO_SANITIZE=ON -DTESSARO_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1"

echo
echo "Summary (normal and sanitizer builds):"
echo "$passed passed, $failed failed"
exit $status

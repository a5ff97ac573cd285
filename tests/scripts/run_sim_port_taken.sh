#!/usr/bin/env bash
# scripts/run.sh when the simulator cannot listen: the address is held by a listener of
# this test's own; run.sh must stop with the simulator's reason and a non-zero status,
# and must neither claim a running simulator nor start the panel or touch its settings.
#   run_sim_port_taken.sh SOURCE_DIR BUILD_DIR
set -u
SRC=$1
BUILD=$2
SIM=$BUILD/bin/tessaro-sim

WORK=$(mktemp -d /tmp/tessaro-runtest.XXXXXX)
HOLDER=""
cleanup() {
    [ -n "$HOLDER" ] && kill "$HOLDER" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    echo "--- run.sh output"
    cat "$WORK/out" 2>/dev/null
    exit 1
}

# A free loopback address and port, held by a quiet simulator.
ADDRESS=""
for _ in 1 2 3 4 5 6 7 8; do
    candidate="127.$((RANDOM % 200 + 20)).$((RANDOM % 250 + 1)).$((RANDOM % 250 + 2)):$((RANDOM % 20000 + 30000))"
    : >"$WORK/holder.log"
    "$SIM" --listen "$candidate" --quiet --log "$WORK/holder.log" 2>/dev/null &
    HOLDER=$!
    for _ in $(seq 600); do
        grep -q "listening on" "$WORK/holder.log" && break
        kill -0 "$HOLDER" 2>/dev/null || break
        sleep 0.05
    done
    if grep -q "listening on" "$WORK/holder.log"; then
        ADDRESS=$candidate
        break
    fi
    wait "$HOLDER" 2>/dev/null
    HOLDER=""
done
[ -n "$ADDRESS" ] || fail "no free loopback port to hold"

(
    unset DISPLAY
    export TESSARO_SKIP_DEPS=1 TESSARO_BUILD_DIR="$BUILD" TESSARO_RUN_DIR="$WORK/run"
    exec timeout -k 5 60 bash "$SRC/scripts/run.sh" --sim-listen "$ADDRESS"
) >"$WORK/out" 2>&1
status=$?

[ "$status" -ne 0 ] || fail "run.sh exited 0"
[ "$status" -ne 124 ] && [ "$status" -ne 137 ] || fail "run.sh did not stop by itself"
grep -q "The simulator could not start: cannot listen on $ADDRESS: .*in use" "$WORK/out" ||
    fail "no reason given for the simulator's failure"
! grep -q "Simulated" "$WORK/out" || fail "run.sh claims a running simulator"
! grep -q "starting the panel" "$WORK/out" || fail "run.sh went on to the panel"
[ ! -e "$WORK/run/setting.data" ] || fail "run.sh set the panel up for a simulator that is not there"
kill -0 "$HOLDER" 2>/dev/null || fail "the listener holding $ADDRESS is gone"
echo "run.sh refused: $(grep "could not start" "$WORK/out")"

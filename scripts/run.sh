#!/usr/bin/env bash
# Installs what is missing, builds the panel and starts it in a window.
#   scripts/run.sh                      panel + the bundled device simulator on 127.0.0.1:8080
#   scripts/run.sh --device 192.168.1.50  panel set up for a real device over TCP (port 8080)
#   scripts/run.sh --serial /dev/ttyUSB0 [--baud 115200]   panel set up for a serial device
#   scripts/run.sh --sim-serial         panel + simulator on a pseudo-terminal (serial link)
#   scripts/run.sh --sim-listen 127.0.0.2:8080   the simulator on another loopback address
#   scripts/run.sh --model DV-52        choose the simulated model
#   scripts/run.sh --remote             also serve router control clients on 127.0.0.1:9990
# The panel keeps "setting.data" in its working directory, run/ in this checkout.
# The environment may name other folders: TESSARO_BUILD_DIR (default build/),
# TESSARO_RUN_DIR (default run/); TESSARO_SKIP_DEPS=1 installs nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${TESSARO_BUILD_DIR:-$ROOT/build}
RUN=${TESSARO_RUN_DIR:-$ROOT/run}

device="" serial="" baud=9600 model="DV-42" simserial="" listen="127.0.0.1:8080" remote=""
while [ $# -gt 0 ]; do
    case "$1" in
        --device) device=$2; shift 2 ;;
        --serial) serial=$2; shift 2 ;;
        --baud) baud=$2; shift 2 ;;
        --model) model=$2; shift 2 ;;
        --sim-serial) simserial=1; shift ;;
        --sim-listen) listen=$2; shift 2 ;;
        --remote) remote=1; shift ;;
        *) echo "unknown option $1"; exit 2 ;;
    esac
done
case "$listen" in
    *:*) ;;
    *) echo "--sim-listen takes HOST:PORT, e.g. 127.0.0.2:8080"; exit 2 ;;
esac

[ "${TESSARO_SKIP_DEPS:-}" = 1 ] || bash scripts/deps.sh
# Ninja runs CMake again by itself when a CMake file changed; only a missing build
# folder needs configuring here.
if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
ninja -C "$BUILD" tessaro tessaro-sim

mkdir -p "$RUN"
cd "$RUN"

sim_pid=""
sim_err=$(mktemp)
stop_sim() {
    if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
    rm -f "$sim_err"
}
trap stop_sim EXIT

# Starts the simulator with the given arguments (its log goes to sim.log) and waits until
# READY holds or the simulator ends; it stops the script with the simulator's own words
# when it cannot serve.
start_sim() { # READY-command args...
    local ready=$1
    shift
    "$BUILD/bin/tessaro-sim" "$@" --model "$model" --log "$RUN/sim.log" >/dev/null 2>"$sim_err" &
    sim_pid=$!
    for _ in $(seq 300); do
        $ready && return 0
        if ! kill -0 "$sim_pid" 2>/dev/null; then
            wait "$sim_pid" || true
            sim_pid=""
            echo "The simulator could not start: $(cat "$sim_err")" >&2
            exit 1
        fi
        sleep 0.1
    done
    echo "The simulator did not get ready within 30 s (its log: $RUN/sim.log)." >&2
    exit 1
}

log_start=0
listening() { [[ $(tail -c +$((log_start + 1)) "$RUN/sim.log" 2>/dev/null) == *"listening on"* ]]; }
pty_open() { [ -e "$RUN/sim-tty" ]; }

if [ -n "$simserial" ]; then
    rm -f "$RUN/sim-tty"
    start_sim pty_open --listen none --pty "$RUN/sim-tty"
elif [ -z "$serial" ] && [ -z "$device" ]; then
    log_start=$(stat -c %s "$RUN/sim.log" 2>/dev/null || echo 0)
    start_sim listening --listen "$listen"
fi

[ -s setting.data ] && jq -e 'type == "object"' setting.data >/dev/null 2>&1 || echo '{}' > setting.data
set_keys() { jq "$1" setting.data > setting.data.tmp && mv setting.data.tmp setting.data; }

if [ -n "$simserial" ]; then
    serial=$(readlink -f "$RUN/sim-tty")
    set_keys ".connectType = 0 | .currentSerialport = \"$serial\" | .currentSerialportBaudrate = $baud"
    echo "Simulated $model on the serial port $serial (its log: $RUN/sim.log). Press Connect in the panel."
elif [ -n "$serial" ]; then
    set_keys ".connectType = 0 | .currentSerialport = \"$serial\" | .currentSerialportBaudrate = $baud"
elif [ -n "$device" ]; then
    set_keys ".connectType = 1 | .currentIP = \"$device\""
else
    address=$listen
    [ "${listen##*:}" = 8080 ] && address=${listen%:*}
    set_keys ".connectType = 1 | .currentIP = \"$address\""
    echo "Simulated $model on $listen (its log: $RUN/sim.log). Press Connect in the panel."
fi
if [ -n "$remote" ]; then
    set_keys '.remoteControl = ((.remoteControl // {}) + {"enabled": true, "address": "127.0.0.1", "port": 9990})'
    echo "Router control clients (Videohub protocol): 127.0.0.1 port 9990 (footer: Remote control)."
fi

if [ -n "${DISPLAY:-}" ]; then
    "$BUILD/bin/tessaro"
else
    echo "No DISPLAY: starting the panel on a virtual X display (xvfb-run)."
    xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/bin/tessaro"
fi

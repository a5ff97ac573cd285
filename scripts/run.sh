#!/usr/bin/env bash
# Installs what is missing, builds the panel and starts it in a window.
#   scripts/run.sh                      panel + the bundled device simulator on 127.0.0.1:8080
#   scripts/run.sh --device 192.168.1.50  panel set up for a real device over TCP (port 8080)
#   scripts/run.sh --serial /dev/ttyUSB0 [--baud 115200]   panel set up for a serial device
#   scripts/run.sh --sim-serial         panel + simulator on a pseudo-terminal (serial link)
#   scripts/run.sh --model DV-52        choose the simulated model
# The panel keeps "setting.data" in its working directory, run/ in this checkout.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)

device="" serial="" baud=9600 model="DV-42" simserial=""
while [ $# -gt 0 ]; do
    case "$1" in
        --device) device=$2; shift 2 ;;
        --serial) serial=$2; shift 2 ;;
        --baud) baud=$2; shift 2 ;;
        --model) model=$2; shift 2 ;;
        --sim-serial) simserial=1; shift ;;
        *) echo "unknown option $1"; exit 2 ;;
    esac
done

bash scripts/deps.sh
cmake -S "$ROOT" -B "$ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$ROOT/build" tessaro tessaro-sim

mkdir -p "$ROOT/run"
cd "$ROOT/run"
[ -s setting.data ] && jq -e 'type == "object"' setting.data >/dev/null 2>&1 || echo '{}' > setting.data
set_keys() { jq "$1" setting.data > setting.data.tmp && mv setting.data.tmp setting.data; }

sim_pid=""
if [ -n "$simserial" ]; then
    rm -f "$ROOT/run/sim-tty"
    "$ROOT/build/bin/tessaro-sim" --listen none --pty "$ROOT/run/sim-tty" --model "$model" \
        --log "$ROOT/run/sim.log" >/dev/null &
    sim_pid=$!
    trap '[ -n "$sim_pid" ] && kill $sim_pid 2>/dev/null' EXIT
    for _ in $(seq 100); do [ -e "$ROOT/run/sim-tty" ] && break; sleep 0.1; done
    [ -e "$ROOT/run/sim-tty" ] || { echo "the simulator did not open its pseudo-terminal"; exit 1; }
    serial=$(readlink -f "$ROOT/run/sim-tty")
    set_keys ".connectType = 0 | .currentSerialport = \"$serial\" | .currentSerialportBaudrate = $baud"
    echo "Simulated $model on the serial port $serial (its log: run/sim.log). Press Connect in the panel."
elif [ -n "$serial" ]; then
    set_keys ".connectType = 0 | .currentSerialport = \"$serial\" | .currentSerialportBaudrate = $baud"
elif [ -n "$device" ]; then
    set_keys ".connectType = 1 | .currentIP = \"$device\""
else
    "$ROOT/build/bin/tessaro-sim" --listen 127.0.0.1:8080 --model "$model" --log "$ROOT/run/sim.log" >/dev/null &
    sim_pid=$!
    trap '[ -n "$sim_pid" ] && kill $sim_pid 2>/dev/null' EXIT
    set_keys '.connectType = 1 | .currentIP = "127.0.0.1"'
    echo "Simulated $model on 127.0.0.1:8080 (its log: run/sim.log). Press Connect in the panel."
fi

if [ -n "${DISPLAY:-}" ]; then
    "$ROOT/build/bin/tessaro"
else
    echo "No DISPLAY: starting the panel on a virtual X display (xvfb-run)."
    xvfb-run -a -s "-screen 0 1280x1024x24" "$ROOT/build/bin/tessaro"
fi

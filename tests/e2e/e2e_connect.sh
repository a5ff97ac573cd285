#!/bin/bash
# End-to-end check of the built panel in a virtual X display against the simulator:
# connect over TCP by clicking "Connect", wait for the first queries, open the switching
# tab and check that the tab bar shows it as active.
#
# usage: e2e_connect.sh TESSARO TESSARO_SIM
# Exit codes: 0 pass, 1 fail, 77 skipped (no Xvfb/xdotool/ImageMagick).
set -u

PANEL=$(readlink -f "$1")
SIM=$(readlink -f "$2")

if [ -z "${TESSARO_E2E_INNER:-}" ]; then
    for tool in Xvfb xdotool import convert; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool not installed"
            exit 77
        fi
    done
    export TESSARO_E2E_INNER=1
    exec timeout 110 "$(dirname "$(readlink -f "$0")")/../common/run_in_xvfb.sh" "$0" "$@"
fi

WORK=$(mktemp -d /tmp/tessaro-e2e.XXXXXX)
SIM_PID=""
PANEL_PID=""
cleanup() {
    [ -n "$PANEL_PID" ] && kill "$PANEL_PID" 2>/dev/null
    [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null
    wait 2>/dev/null
    if [ "${KEEP:-0}" = 1 ]; then echo "kept $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "--- simulator log"; cat "$WORK/sim.log" 2>/dev/null | tail -40
    echo "--- panel output"; tail -40 "$WORK/panel.out" 2>/dev/null
    KEEP=1
    exit 1
}

# The simulator on a free loopback address; the panel always uses port 8080.
ADDRESS=""
for attempt in 1 2 3 4 5 6 7 8; do
    candidate="127.$((RANDOM % 200 + 20)).$((RANDOM % 250 + 1)).$((RANDOM % 250 + 2))"
    : > "$WORK/sim.log"
    "$SIM" --listen "$candidate:8080" --log "$WORK/sim.log" --quiet &
    SIM_PID=$!
    for _ in $(seq 1 100); do
        grep -q "listening on" "$WORK/sim.log" && break
        kill -0 "$SIM_PID" 2>/dev/null || break
        sleep 0.1
    done
    if grep -q "listening on" "$WORK/sim.log"; then
        ADDRESS=$candidate
        break
    fi
    kill "$SIM_PID" 2>/dev/null
    wait "$SIM_PID" 2>/dev/null
    SIM_PID=""
done
[ -n "$ADDRESS" ] || fail "simulator could not listen"

printf '{"connectType": 1, "currentIP": "%s"}\n' "$ADDRESS" > "$WORK/setting.data"

(cd "$WORK" && exec "$PANEL" > "$WORK/panel.out" 2>&1) &
PANEL_PID=$!

# The panel's window: the one named "Tessaro" that is 1024 x 768.
WINDOW=""
for _ in $(seq 1 300); do
    for w in $(xdotool search --name '^Tessaro$' 2>/dev/null); do
        if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 1024x768'; then
            WINDOW=$w
        fi
    done
    [ -n "$WINDOW" ] && break
    kill -0 "$PANEL_PID" 2>/dev/null || fail "panel exited"
    sleep 0.1
done
[ -n "$WINDOW" ] || fail "panel window not found"

pixel() { # x y (window coordinates) -> "r,g,b"
    import -window "$WINDOW" "$WORK/shot.png" 2>/dev/null || return 1
    convert "$WORK/shot.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
}
click() { # x y (window coordinates)
    xdotool mousemove --window "$WINDOW" "$1" "$2" click 1
}
# Waits up to 20 s until the pixel at x y reads the colour; a window that is mapped need
# not have drawn its first frame yet, and a click takes effect on a later frame.
wait_pixel() { # x y "r,g,b"
    local got=""
    for _ in $(seq 1 200); do
        got=$(pixel "$1" "$2")
        [ "$got" = "$3" ] && return 0
        kill -0 "$PANEL_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    echo "pixel $1,$2 is $got, expected $3"
    return 1
}
# A QML warning in the panel's output (a TypeError, a binding loop, "Unable to assign")
# is a fault of the screens even when the window looks right.
check_no_qml_warnings() {
    if grep -E "qrc:/[^ ]*\.qml:[0-9]+|Binding loop|Unable to assign|TypeError|ReferenceError" "$WORK/panel.out"; then
        fail "QML warnings in the panel's output"
    fi
}

# Layout: header 80 px; the connection panel (800 x 600) is centred in the 648 px between
# header and footer, the connect box 10 px inside it; "Connect" sits 5 px inside the box's
# bottom right corner: x 404.5..504.5, y 269..309.
CONNECT_X=454
CONNECT_Y=289
# Seven tabs (the simulator is a video-wall model) share x 266..1024 from y 10 down.
SWITCH_TAB_X=428
TAB_Y=20

wait_pixel $SWITCH_TAB_X $TAB_Y "51,141,227" || fail "tab bar not drawn as expected"

click $CONNECT_X $CONNECT_Y

for _ in $(seq 1 200); do
    if grep -q '<- PING' "$WORK/sim.log" && grep -q '<- GetSW' "$WORK/sim.log" \
        && grep -q '<- GetOutput' "$WORK/sim.log" && grep -q '<- GetBeepEn' "$WORK/sim.log"; then
        break
    fi
    sleep 0.1
done
for cmd in PING GetSW GetOutput GetBeepEn; do
    grep -q "<- $cmd" "$WORK/sim.log" || fail "the device never received $cmd"
done

click $SWITCH_TAB_X 45
wait_pixel $SWITCH_TAB_X $TAB_Y "7,77,139" || fail "switching tab not active after the click"
import -window root "$WORK/screen.png" || fail "no screenshot"
STRIP=$(pixel $SWITCH_TAB_X 77)
FIRST=$(pixel 300 $TAB_Y)
[ "$STRIP" = "21,247,207" ] || fail "no strip under the active tab: $STRIP"
[ "$FIRST" = "51,141,227" ] || fail "setting tab still active: $FIRST"
check_no_qml_warnings

echo "PASS: connected to $ADDRESS and opened the switching tab"
exit 0

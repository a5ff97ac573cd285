# Shared by the end-to-end scripts: sourced after PANEL and SIM are set, with the
# script's own arguments. Re-runs the script on a virtual display of its own, makes a
# work folder, starts the simulator on a free loopback address ($ADDRESS, port 8080; the
# panel always uses 8080) and offers the panel start, pixel probes and clicks.
# shellcheck shell=bash

if [ -z "${TESSARO_E2E_INNER:-}" ]; then
    for tool in Xvfb xdotool import convert; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool not installed"
            exit 77
        fi
    done
    export TESSARO_E2E_INNER=1
    exec timeout 110 "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/../common/run_in_xvfb.sh" "$0" "$@"
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

# Starts the panel in the work folder (its setting.data written by the caller) and waits
# for its 1024 x 768 window: $PANEL_PID, $WINDOW.
start_panel() {
    # QSG_INFO makes the scene graph name the renderer it loaded.
    (cd "$WORK" && QSG_INFO=1 exec "$PANEL" > "$WORK/panel.out" 2>&1) &
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
}

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

#!/bin/bash
# End-to-end check of the video wall and custom settings screens in a virtual X display
# against the simulator program: outputs are dragged onto a 2 x 2 wall with the pointer
# (a real drag-and-drop of the window system), the four cells are selected with a band,
# and "Set VideWall" must reach the device as four placements and the switch; then the
# LCD lines are written behind the access code.
#
# usage: e2e_wall.sh TESSARO TESSARO_SIM
# Exit codes: 0 pass, 1 fail, 77 skipped (no Xvfb/xdotool/ImageMagick).
set -u

PANEL=$(readlink -f "$1")
SIM=$(readlink -f "$2")

# shellcheck source=e2e_lib.sh
source "$(dirname "$(readlink -f "$0")")/e2e_lib.sh"

printf '{"connectType": 1, "currentIP": "%s", "VideoWall": {"rows": 2, "columns": 2}}\n' "$ADDRESS" \
    > "$WORK/setting.data"

start_panel

# Waits up to 20 s for a line the device received.
wait_received() { # text
    for _ in $(seq 1 200); do
        grep -qF -- "<- $1" "$WORK/sim.log" && return 0
        kill -0 "$PANEL_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
# Pointer steps in window coordinates, paced so that the panel sees a drag start.
move() {
    xdotool mousemove --window "$WINDOW" "$1" "$2"
    sleep 0.05
}
drag() { # from-x from-y to-x to-y
    move "$1" "$2"
    xdotool mousedown 1
    sleep 0.1
    move $(($1 - 10)) $(($2 - 10))
    move $(($1 - 60)) $(($2 - 40))
    move $((($1 + $3) / 2)) $((($2 + $4) / 2))
    move "$3" "$4"
    move $(($3 + 2)) $(($4 + 2))
    xdotool mouseup 1
    sleep 0.2
}

# Layout: header 80 px, screens 648 px below it. "Connect" as in e2e_connect.sh; seven
# tabs share x 266..1024 ("Videowall" about 862, "Custom" about 970).
wait_pixel 428 20 "51,141,227" || fail "tab bar not drawn as expected"
click 454 289
wait_received GetBeepEn || fail "the first queries never arrived"

click 862 45
wait_pixel 862 20 "7,77,139" || fail "video wall tab not active after the click"

# 16 x 16 device. Output tiles (120 px wide, two a row, 26.75 px high, 5 px apart) from
# (729, 434); input tiles likewise from (729, 110). The 2 x 2 grid's cells are 311 x 194
# from (40, 150), their centres at x 195 / 506 and y 247 / 441.
CELLS="195,247 506,247 195,441 506,441"
k=0
for cell in $CELLS; do
    tx=$((789 + (k % 2) * 125))
    ty=$((447 + (k / 2) * 32))
    drag $tx $ty "${cell%,*}" "${cell#*,}"
    k=$((k + 1))
done
# Band from the first cell's top left corner to the last cell's bottom right corner.
move 45 155
xdotool mousedown 1
move 300 300
move 640 530
xdotool mouseup 1
sleep 0.1
click 789 187      # input 5
click 80 623       # "Set VideWall"
for line in "SetRXTXVideoWall 17 2 2 1 1 5" "SetRXTXVideoWall 18 2 2 2 1 5" \
    "SetRXTXVideoWall 19 2 2 1 2 5" "SetRXTXVideoWall 20 2 2 2 2 5" "SW 5 1 2 3 4"; do
    wait_received "$line" || fail "the device never received $line"
done
WALL=$(grep -E -- "<- (SetRXTXVideoWall|SW )" "$WORK/sim.log" | sed 's/.*<- //' | tr '\n' '|')
[ "$WALL" = "SetRXTXVideoWall 17 2 2 1 1 5|SetRXTXVideoWall 18 2 2 2 1 5|SetRXTXVideoWall 19 2 2 1 2 5|SetRXTXVideoWall 20 2 2 2 2 5|SW 5 1 2 3 4|" ] \
    || fail "wall commands: $WALL"

# Custom tab: "Read", then "Write" with a wrong code (nothing sent), then the right one.
click 970 45
wait_pixel 970 20 "7,77,139" || fail "custom tab not active after the click"
click 460 202
wait_received GetServiceNum || fail "Read sent nothing"
# The code dialog (250 x 150) is centred on the screen; its field at about (535, 397).
click 565 202
sleep 0.3
xdotool type --delay 30 "123456"
xdotool key Return          # wrong: the message box opens, nothing is sent
sleep 0.3
xdotool key Escape          # closes the message box; the code dialog stays
sleep 0.3
click 535 397
xdotool key ctrl+a
xdotool type --delay 30 "739015"
xdotool key Return
wait_received "SetServiceType TCP" || fail "the right code did not send the first line"
wait_received "SetServiceNum 8080" || fail "the right code did not send the second line"
[ "$(grep -c -- '<- SetServiceType' "$WORK/sim.log")" = 1 ] || fail "the wrong code sent the LCD lines"
check_no_qml_warnings

echo "PASS: wall placed by dragging on $ADDRESS"
exit 0

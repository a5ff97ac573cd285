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

# shellcheck source=e2e_lib.sh
source "$(dirname "$(readlink -f "$0")")/e2e_lib.sh"

printf '{"connectType": 1, "currentIP": "%s"}\n' "$ADDRESS" > "$WORK/setting.data"

start_panel
# Unless the environment chooses one, the panel draws with the software renderer.
grep -q "Loading backend software" "$WORK/panel.out" || fail "the panel did not pick the software renderer"

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

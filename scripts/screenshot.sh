#!/bin/bash
# Screenshots of the connection screen, disconnected and connected, under a virtual X
# display against the simulator.
#
# usage: scripts/screenshot.sh BUILD_DIR OUT_DIR [en|cn] [MODEL]
# writes OUT_DIR/setting_<lang>_disconnected.png and OUT_DIR/setting_<lang>_connected.png
set -u
BUILD=$(readlink -f "$1")
OUT=$(readlink -f "$2")
LANG_CHOICE=${3:-en}
MODEL=${4:-DV-42}

if [ -z "${TESSARO_SHOT_INNER:-}" ]; then
    export TESSARO_SHOT_INNER=1
    exec timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

mkdir -p "$OUT"
WORK=$(mktemp -d /tmp/tessaro-shot.XXXXXX)
trap 'kill $PANEL_PID $SIM_PID 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT
PANEL_PID=""
SIM_PID=""

ADDRESS="127.$((RANDOM % 200 + 20)).$((RANDOM % 250 + 1)).$((RANDOM % 250 + 2))"
"$BUILD/bin/tessaro-sim" --listen "$ADDRESS:8080" --model "$MODEL" --log "$WORK/sim.log" --quiet &
SIM_PID=$!
sleep 0.5

CN=false
[ "$LANG_CHOICE" = cn ] && CN=true
printf '{"connectType": 1, "currentIP": "%s", "languageCN": %s}\n' "$ADDRESS" "$CN" > "$WORK/setting.data"
(cd "$WORK" && exec "$BUILD/bin/tessaro" > "$WORK/panel.out" 2>&1) &
PANEL_PID=$!

WINDOW=""
for _ in $(seq 1 100); do
    for w in $(xdotool search --name '^Tessaro$' 2>/dev/null); do
        xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 1024x768' && WINDOW=$w
    done
    [ -n "$WINDOW" ] && break
    sleep 0.1
done
[ -n "$WINDOW" ] || { echo "no window"; cat "$WORK/panel.out"; exit 1; }
sleep 1
import -window "$WINDOW" "$OUT/setting_${LANG_CHOICE}_disconnected.png"
xdotool mousemove --window "$WINDOW" 454 289 click 1
for _ in $(seq 1 50); do
    grep -q '<- GetBeepEn' "$WORK/sim.log" && break
    sleep 0.1
done
sleep 0.5
import -window "$WINDOW" "$OUT/setting_${LANG_CHOICE}_connected.png"
# The factory reset dialog ("Factory Reset" in the right column), then "NO".
xdotool mousemove --window "$WINDOW" 658 346 click 1
sleep 0.5
import -window "$WINDOW" "$OUT/setting_${LANG_CHOICE}_reset_dialog.png"
echo "wrote $OUT/setting_${LANG_CHOICE}_*.png"

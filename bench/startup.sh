#!/usr/bin/env bash
# Start-up of the panel next to a minimal Qt Quick Controls 2 window (startup_baseline,
# 1024 x 768, one button): under one Xvfb display, starts the two alternately RUNS times
# each and prints the median time from launch until the window is visible (mapped), the
# median peak resident memory (VmHWM one second after it became visible) and the
# panel-to-baseline ratios. The panel draws with the software renderer; for comparison it is
# also started with OpenGL, the baseline's renderer (reported, not part of the targets).
#   bench/startup.sh [BUILD_DIR] [RUNS]     (defaults: build, 10)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$(cd "${1:-build}" && pwd)
RUNS=${2:-10}
PANEL=$BUILD/bin/tessaro
BASELINE=$BUILD/bench/startup_baseline
for p in "$PANEL" "$BASELINE"; do
    [ -x "$p" ] || { echo "missing $p (build with the benchmarks on)"; exit 1; }
done

display=""
for n in $(shuf -i 300-599 -n 60); do # away from the numbers xvfb-run picks
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || { echo "no free X display number"; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $display"; exit 1; }

# One launch: prints "milliseconds-to-visible peak-KiB".
launch() {
    local program=$1 start pid visible ms rss
    shift # the rest: environment assignments for this launch
    kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb on $display has gone" >&2; return 1; }
    start=$(date +%s%N)
    # A first start every time: no settings file, none in the user's folder either.
    (cd "$work" && exec env XDG_CONFIG_HOME="$work/config" "$@" "$program" >/dev/null 2>"$work/stderr") &
    pid=$!
    visible=""
    for _ in $(seq 3000); do # 30 s at most
        if xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; then
            visible=$(date +%s%N)
            break
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.01
    done
    if [ -z "$visible" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        echo "$program never became visible:" >&2
        tail -5 "$work/stderr" >&2
        return 1
    fi
    ms=$(((visible - start) / 1000000))
    sleep 1
    rss=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -rf "$work/setting.data" "$work/config"
    echo "$ms $rss"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

: >"$work/panel" && : >"$work/baseline" && : >"$work/panel-gl"
for i in $(seq "$RUNS"); do
    launch "$BASELINE" >>"$work/baseline"
    launch "$PANEL" >>"$work/panel"
    launch "$PANEL" QT_QUICK_BACKEND= >>"$work/panel-gl"
    printf '.'
done
echo

pt=$(awk '{print $1}' "$work/panel" | median)
pm=$(awk '{print $2}' "$work/panel" | median)
gt=$(awk '{print $1}' "$work/panel-gl" | median)
gm=$(awk '{print $2}' "$work/panel-gl" | median)
bt=$(awk '{print $1}' "$work/baseline" | median)
bm=$(awk '{print $2}' "$work/baseline" | median)
echo "Start-up under Xvfb, $RUNS launches each, alternating, medians"
printf '  %-9s launch to visible %7.1f ms   peak RSS %7.1f MiB\n' panel "$pt" "$(awk -v k="$pm" 'BEGIN {print k / 1024}')"
printf '  %-9s launch to visible %7.1f ms   peak RSS %7.1f MiB\n' panel-gl "$gt" "$(awk -v k="$gm" 'BEGIN {print k / 1024}')"
printf '  %-9s launch to visible %7.1f ms   peak RSS %7.1f MiB\n' baseline "$bt" "$(awk -v k="$bm" 'BEGIN {print k / 1024}')"
tr=$(awk -v a="$pt" -v b="$bt" 'BEGIN {print a / b}')
mr=$(awk -v a="$pm" -v b="$bm" 'BEGIN {print a / b}')
printf '  ratio panel/baseline: time %.2f (target <= 1.3), memory %.2f (target <= 1.15)\n' "$tr" "$mr"
printf '  with OpenGL like the baseline (for comparison): time %.2f, memory %.2f\n' \
    "$(awk -v a="$gt" -v b="$bt" 'BEGIN {print a / b}')" "$(awk -v a="$gm" -v b="$bm" 'BEGIN {print a / b}')"
awk -v t="$tr" -v m="$mr" 'BEGIN {exit !(t <= 1.3 && m <= 1.15)}'

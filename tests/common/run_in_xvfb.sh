#!/bin/bash
# Runs a command on a virtual X display of its own, which runs that start at the same
# moment never share ("xvfb-run -a" can hand two of them the same number). Exit status: the command's; 77 when Xvfb is missing, 1 when it will not start.
#
# usage: run_in_xvfb.sh COMMAND [ARGS...]
set -u
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "SKIP: Xvfb not installed"
    exit 77
fi
# A random display number far above the usual ones: a number just freed by another server
# can still be losing its socket file to that server's clean-up, so numbers are not
# reused from the bottom as "-displayfd" alone would. Xvfb writes the number to fd 3 once
# it accepts clients; a taken number makes it exit, and another is tried.
NUMBER_FILE=$(mktemp /tmp/tessaro-xvfb.XXXXXX)
XVFB_PID=""
trap '[ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; wait 2>/dev/null; rm -f "$NUMBER_FILE"' EXIT
for _ in $(seq 1 20); do
    : >"$NUMBER_FILE"
    Xvfb ":$((RANDOM % 20000 + 1000))" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$NUMBER_FILE" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 1 300); do
        [ -s "$NUMBER_FILE" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$NUMBER_FILE" ] && break
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
done
if [ ! -s "$NUMBER_FILE" ]; then
    echo "FAIL: Xvfb did not start"
    exit 1
fi
export DISPLAY=":$(head -n1 "$NUMBER_FILE")"
"$@"

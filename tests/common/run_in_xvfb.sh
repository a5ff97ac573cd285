#!/bin/bash
# Runs a command on a virtual X display of its own. Xvfb picks a free display number
# itself (-displayfd), so runs that start at the same moment never race for one, as
# "xvfb-run -a" can. Exit status: the command's; 77 when Xvfb is missing, 1 when it will not start.
#
# usage: run_in_xvfb.sh COMMAND [ARGS...]
set -u
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "SKIP: Xvfb not installed"
    exit 77
fi
NUMBER_FILE=$(mktemp /tmp/tessaro-xvfb.XXXXXX)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$NUMBER_FILE" 2>/dev/null &
XVFB_PID=$!
trap 'kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; rm -f "$NUMBER_FILE"' EXIT
# The display number is written once the server accepts clients.
for _ in $(seq 1 300); do
    [ -s "$NUMBER_FILE" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$NUMBER_FILE" ]; then
    echo "FAIL: Xvfb did not start"
    exit 1
fi
export DISPLAY=":$(head -n1 "$NUMBER_FILE")"
"$@"

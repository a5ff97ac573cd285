#!/bin/bash
# Runs the Qt Quick Test file $2 of the screen test program $1 on a virtual X display.
# Exit codes: those of the test program, 77 when xvfb-run is missing.
set -u
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "SKIP: xvfb-run not installed"
    exit 77
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$1" -input "$2"

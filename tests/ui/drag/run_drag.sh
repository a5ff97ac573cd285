#!/bin/bash
# Runs the Qt Quick Test file $2 of the screen test program $1 on a virtual X display.
# Exit codes: those of the test program, 77 when Xvfb is missing.
set -u
exec "$(dirname "$(readlink -f "$0")")/../../common/run_in_xvfb.sh" "$1" -input "$2"

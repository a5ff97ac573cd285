#!/bin/bash
cd /tmp/i11-shot
Xvfb :88 -screen 0 1280x1024x24 >/dev/null 2>&1 &
xpid=$!
sleep 1
DISPLAY=:88 /work/wt/i11/build/bin/tessaro > panel2.log 2>&1 &
ppid=$!
for i in $(seq 60); do DISPLAY=:88 xdotool search --name Tessaro >/dev/null 2>&1 && break; sleep 0.5; done
sleep 2
wid=$(DISPLAY=:88 xdotool search --name Tessaro | head -1)
DISPLAY=:88 xdotool windowmove $wid 0 0; sleep 0.5
DISPLAY=:88 xdotool mousemove 455 289 click 1
sleep 4
DISPLAY=:88 import -window root serial-up.png
kill 9375
sleep 3
DISPLAY=:88 import -window root serial-lost.png
ps -o pid,pcpu,time -p $ppid
sleep 3
ps -o pid,pcpu,time -p $ppid
kill $ppid; sleep 0.5; kill $xpid

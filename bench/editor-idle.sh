#!/bin/bash
# The editor at rest with a 500-object mission open: its CPU use over 10 s with nothing held
# and nothing moving (pidstat), and its resident memory. Then one held key (camera forward)
# for 3 s, to show the frames still run while a key action is held.
# Usage: bench/editor-idle.sh BUILD_DIR   (needs xvfb-run, xdotool and sysstat's pidstat)
set -eu
build=$(cd "${1:-build}" && pwd)
if [ -z "${ZEV_IDLE_DISPLAY:-}" ]; then
    export ZEV_IDLE_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
"$build/tools/zevedit-cli" demo "$work" >/dev/null
printf '[Render%%20Options]\nWAuto%%20Zoom=false\n' >"$work/settings.ini"
"$build/bench/zev_workspace_bench" --mission "$work/m500.mdb" --benchmark_filter='^$' >/dev/null 2>&1
${ZEV_IDLE_WRAP:-} "$build/src/app/zevedit" --home "$work/home" --archive "$work/game/ZEV.PRJ" \
    --settings "$work/settings.ini" >"$work/editor.log" 2>&1 &
pid=$!
for _ in $(seq 1 100); do xdotool search --name "ZEVEDIT 3D" >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
xdotool mousemove 629 579 click 1 # Launch Editor
sleep 2
# Open the mission (ZEV_IDLE_EMPTY=1: stay with the empty one, for comparison).
if [ -z "${ZEV_IDLE_EMPTY:-}" ]; then
    xdotool mousemove 28 33 click 1
    for _ in $(seq 1 100); do xdotool search --name "FileOpen" >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 0.5
    xdotool type --delay 10 "$work/m500.mdb"
    xdotool key Return
fi
sleep 6
xdotool mousemove 640 600 click 1 # focus the workspace (on the ground: nothing picked)
sleep 2
kill -0 "$pid" 2>/dev/null || { cat "$work/editor.log"; exit 1; }
[ -n "${ZEV_IDLE_SHOT:-}" ] && "$build/tests/app/zev_screen_grab" "$ZEV_IDLE_SHOT"
echo "== idle, 10 s"
pidstat -p "$pid" -u 10 1 | tail -n 2
echo "== resident memory (kB)"
[ -n "${ZEV_IDLE_SMAPS:-}" ] && cp "/proc/$pid/smaps" "$ZEV_IDLE_SMAPS"
grep -E 'VmRSS|VmHWM' "/proc/$pid/status"
if [ -n "${ZEV_IDLE_TRIM:-}" ]; then
    gdb -p "$pid" -batch -ex 'call (int)malloc_trim(0)' >/dev/null 2>&1 || true
    echo "== after malloc_trim"; grep -E 'VmRSS' "/proc/$pid/status"
fi
echo "== camera forward held, 3 s"
xdotool keydown Up
pidstat -p "$pid" -u 3 1 | tail -n 2
xdotool keyup Up

#!/bin/bash
# A newcomer's first minutes in the real editor, on a virtual display with a window manager
# (openbox), driven with real input events (xdotool): the editor started as ./scripts/run starts
# it opens the sample mission inside the screen; F1 shows the user guide; the tool bar's tips
# show; Ctrl+S saves; Ctrl+Q closes; the next start with a mission path on the command line
# opens that mission (its path in the title) where the window was left; without a mission the
# workspace shows how to begin. Screenshots go to the artefact directory.
#
# usage: first-run-session.sh ZEVEDIT ZEVEDIT-CLI SCREEN-GRAB ARTEFACT-DIR
# Without xdotool, xvfb-run or openbox the test is skipped (exit 77).
set -euo pipefail
editor=$(realpath "$1") cli=$(realpath "$2") grab=$(realpath "$3") artefacts=$(realpath -m "$4")
session=first-run
command -v openbox >/dev/null && command -v xwininfo >/dev/null || exit 77
source "$(dirname "$0")/session-lib.sh"

openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$pid" "$wm" 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
sample="$work/missions/sample.mdb"
[ -f "$sample" ] || fail "zevedit-cli demo wrote no sample mission"

run_editor() { # the mission path as given on the command line
    "$editor" --home "$work/home" --archive "$work/game/ZEV.PRJ" --settings "$work/settings.ini" \
        "$1" >>"$work/editor.log" 2>&1 &
    pid=$!
    await "ZEVEDIT 3D"
    xdotool key Return # "Launch Editor" is the start-up form's default button
}
# Top left corner on the screen and size of the window whose title matches $1: "X Y W H".
window_box() {
    xwininfo -id "$(xdotool search --name "$1" | head -1)" | awk '
        /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}'
}

run_editor "$sample"
await "sample.mdb"
sleep 1.5
shot 01-sample-opened
read -r x y w h < <(window_box "sample.mdb")
# Inside the screen (1280 x 1024), below the title bar the window manager draws.
[ "$x" -ge 0 ] && [ "$y" -gt 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 1024 ] ||
    fail "the main window at $x,$y size ${w}x$h is not inside the screen"

xdotool key F1
await "User Guide"
sleep 1
shot 02-user-guide
xdotool key Escape
sleep 0.5
xdotool key alt+h k # "Help" > "Keys and Mouse"
await "Keys and Mouse"
sleep 1
shot 02-keys-and-mouse
xdotool key Escape
sleep 0.5

# The pointer rests on the tool bar's Save button: its tip names the key.
xdotool mousemove $((x + 80)) $((y + 33))
sleep 2.5
shot 03-tool-tip
xdotool mousemove $((x + 600)) $((y + 500))

before=$(stat -c %Y.%N "$sample" 2>/dev/null || stat -c %Y "$sample")
sleep 1.1
xdotool key ctrl+s
sleep 1
after=$(stat -c %Y.%N "$sample" 2>/dev/null || stat -c %Y "$sample")
[ "$before" != "$after" ] || fail "Ctrl+S did not save the mission"
"$cli" check "$sample" --archive "$work/game/ZEV.PRJ" >"$work/check.txt" ||
    fail "the saved sample does not check clean: $(cat "$work/check.txt")"
shot 04-saved

xdotool key ctrl+q # the main window closes, the start-up form comes back
sleep 1
xdotool key Escape # and closing it ends the program
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Ctrl+Q and Esc did not end the editor"

# The next start names a mission by a relative path; the window comes back where it was.
mkdir -p "$work/other"
cp "$sample" "$work/other/raid.mdb"
cd "$work"
run_editor other/raid.mdb
await "raid.mdb"
sleep 1.5
shot 05-second-start
title=$(xdotool search --name "raid.mdb" getwindowname | head -1)
[[ "$title" == *"[$work/other/raid.mdb]"* ]] || fail "the title '$title' does not name the file"
read -r x2 y2 w2 h2 < <(window_box "raid.mdb")
[ "$w2" = "$w" ] && [ "$h2" = "$h" ] || fail "the window came back at ${w2}x$h2, not ${w}x$h"

# Without a mission the workspace says how to begin.
xdotool key ctrl+q
sleep 1
xdotool key Escape
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
"$editor" --home "$work/home" --archive "$work/game/ZEV.PRJ" --settings "$work/settings.ini" \
    >>"$work/editor.log" 2>&1 &
pid=$!
await "ZEVEDIT 3D"
xdotool key Return
sleep 2
shot 06-empty-workspace
echo "first-run session passed"

#!/bin/bash
# The camera under the mouse and snapping in the real editor on a virtual display, driven with real input events (xdotool): with Snap to Grid on at 10, two objects
# dropped and one dragged land on the grid; the wheel zooms toward the pointer, the middle
# button pans, Frame Selection brings a selected object back into view after the camera flew
# away. The saved mission must hold positions on the grid. Screenshots go to the artefact
# directory.
#
# usage: navigation-session.sh ZEVEDIT ZEVEDIT-CLI SCREEN-GRAB ARTEFACT-DIR
# Without xdotool or xvfb-run the test is skipped (exit 77).
set -euo pipefail
editor=$1 cli=$2 grab=$3 artefacts=$4
session=navigation
source "$(dirname "$0")/session-lib.sh"
saved="$work/navigation.mdb"
printf 'Snap%%20to%%20Grid=true\nSnap%%20Size=10\n' >>"$work/settings.ini"

start_editor
new_mission NAVI Navigation
# the object list shows under the drop button from the start
click 30 117       # "Bunker"
click 1150 900     # the ground: the workspace has the keys
xdotool key Insert # the dropper, which shows the top view
sleep 0.8
for at in "520 380" "760 610"; do click $at 1 0.8; done
shot 03-snapped-drops
xdotool key Home
sleep 0.8
click 660 33 1 0.8 # Top
drag 1 762 606 5 13 7 # the second object dragged along
shot 04-snapped-drag

# The wheel toward a point, then the middle button drags the view.
for _ in 1 2 3; do click 900 500 4 0.2; done
shot 05-wheel-toward-pointer
drag 2 700 500 8 -20 -10
shot 06-middle-pan

# The dragged object selected, the camera flown away, then Frame Selection.
click 669 575 1 0.5
for _ in 1 2 3; do click 640 500 5 0.2; done
xdotool keydown Right; sleep 2; xdotool keyup Right
sleep 0.5
shot 07-flown-away
xdotool key ctrl+e
sleep 1
shot 08-framed

save_as "$saved"
[ -f "$saved" ] || fail "Save As wrote no file"
flat=$("$cli" dump "$saved" | tr -d ' \n')
positions=$(grep -o '"position":\[-\?[0-9]*,-\?[0-9]*,-\?[0-9]*\]' <<<"$flat" | grep -v '\[0,0,0\]' || true)
echo "positions: $positions"
count=$(grep -c position <<<"$positions" || true)
[ "$count" -eq 2 ] || fail "expected 2 placed objects, found $count"
for value in $(grep -o -- '-\?[0-9]\+' <<<"$positions"); do
    [ $((value % 1000)) -eq 0 ] || fail "position $value is not on the grid of 10 units"
done
echo "navigation session: OK"

#!/bin/bash
# The outline, inspector and problems docks in the real editor on a virtual display, driven with
# real input events (xdotool): New; three bunkers dropped; the outline's search narrows the rows;
# a click on the row selects that object; its X typed into the inspector; Save As. Then a mission
# with an object whose area is not 1 to 8: the problem list shows it, a double-click on the
# problem selects the object, and the name typed into the inspector lands on that object. The
# saved files must hold what was done. Screenshots go to the artefact directory.
#
# usage: docks-session.sh ZEVEDIT ZEVEDIT-CLI SCREEN-GRAB ARTEFACT-DIR
# Without xdotool or xvfb-run the test is skipped (exit 77).
set -euo pipefail
editor=$1 cli=$2 grab=$3 artefacts=$4
session=docks
keep_docks=1
source "$(dirname "$0")/session-lib.sh"
saved="$work/docks.mdb"
stray="$work/stray.mdb"

start_editor
new_mission DOCK Docks
# the object list shows under the drop button from the start
click 30 117        # "Bunker"
click 900 950       # the ground: the workspace has the keys
xdotool key Insert  # the dropper, which shows the top view
sleep 0.8
for at in "450 350" "650 350" "650 650"; do click $at 1 0.8; done
shot 03-three-drops

click 1139 77 1 0.3 # the outline's search field
xdotool type --delay 40 "bunker slot:2"
sleep 0.5
shot 04-filtered
cmp -s "$artefacts/$session-03-three-drops.png" "$artefacts/$session-04-filtered.png" &&
    fail "the search changed nothing"
click 1100 121 1 0.8 # the one row left: slot 2
shot 05-row-selected
field 1201 428 "2500" # the inspector's Position X
xdotool key Return
sleep 0.8
shot 06-x-typed
save_as "$saved"
flat=$("$cli" dump "$saved" | tr -d ' \n')
grep -q '"slot":2,[^}]*"position":\[2500,' <<<"$flat" || fail "slot 2 does not stand at x 2500"

# A mission whose object 1 is in area 9: the problem list names it, the double-click selects it.
"$cli" dump "$saved" | awk '/"area_file": *"1"/ && ++n == 2 { sub(/"1"/, "\"9\"") } { print }' \
    >"$work/stray.json"
grep -q '"area_file": *"9"' "$work/stray.json" || fail "no area 9 in the mission made"
"$cli" load "$work/stray.json" "$stray" >/dev/null
open_file "$stray"
sleep 1
shot 07-problem-listed
xdotool mousemove 1139 816 click --repeat 2 --delay 80 1 # the problem's row
sleep 1
shot 08-problem-chosen
xdotool mousemove 1050 500 click --repeat 10 4 # the inspector's fields scrolled to the top
sleep 0.3
field 1201 372 "Stray" # the inspector's Name
xdotool key Return
sleep 0.5
shot 09-renamed
save_as "$work/stray-saved.mdb"
named=$("$cli" dump "$work/stray-saved.mdb" | tr -d ' \n' | grep -o '"slot":[0-9]*,[^}]*"menu_text":"Stray"[^}]*"area_file":"9"' || true)
[ -n "$named" ] || fail "the object the problem names was not the one selected"
echo "docks session passed"

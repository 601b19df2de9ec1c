#!/bin/bash
# A designer's session in the real editor on a virtual display, driven with real input events
# (xdotool): launch windowed on the demo data, New, choose a palette object, Insert, drop three
# objects, Home, drag one, turn one, delete one, undo the deletion, redo it, Save As, reopen;
# then an object's properties and a spinner through their dialogs, undone and redone, and an
# objectives row through the table editor with Save Table and Load Table. The saved file must
# hold what was done. Screenshots go to the artefact directory.
#
# usage: editor-session.sh ZEVEDIT ZEVEDIT-CLI SCREEN-GRAB ARTEFACT-DIR
# Without xdotool or xvfb-run the test is skipped (exit 77).
set -euo pipefail
editor=$1 cli=$2 grab=$3 artefacts=$4
session=session
source "$(dirname "$0")/session-lib.sh"
saved="$work/session.mdb"

start_editor
new_mission SESS Session
shot 03-new-mission

# the object list shows under the drop button from the start
click 30 117        # "Bunker"
click 1150 900      # the ground: the workspace has the keys, nothing is selected
xdotool key Insert  # the dropper, which shows the top view
sleep 0.8
for at in "500 350" "800 350" "800 700"; do click $at 1 0.8; done
shot 04-three-drops
xdotool key Home # back to the mouse tool and the front view
sleep 0.8
shot 05-front-view
click 660 33 1 0.8 # Top

drag 1 798 345 6 25 0   # the second object 150 pixels to the right
drag 3 502 345 9 4 0    # the first turned by nine steps of 5 degrees
click 798 695           # the third selected
xdotool key Delete
sleep 0.6
shot 06-after-delete
xdotool key ctrl+z
sleep 0.6
shot 07-deletion-undone
xdotool key ctrl+y
sleep 0.6
shot 08-deletion-redone

save_as "$saved"
[ -f "$saved" ] || fail "Save As wrote no file"

open_file "$saved" # the saved mission again
shot 09-reopened
title=$(xdotool search --name "session.mdb" getwindowname 2>/dev/null | head -1)
[ -n "$title" ] || fail "the reopened mission is not in the title"

# What was done is in the file: two bunkers (the third deleted), one turned by 45 degrees,
# one moved 15 units along x from where it was dropped.
flat=$("$cli" dump "$saved" | tr -d ' \n')
count=$(grep -o '"menu_text":"Bunker"' <<<"$flat" | wc -l)
[ "$count" -eq 2 ] || fail "expected 2 objects, found $count"
grep -q '"main_rotation":\[0,45,0\]' <<<"$flat" || fail "no object turned by 45 degrees"
positions=$(grep -o '"position":\[-\?[0-9]*,0,-\?[0-9]*\]' <<<"$flat" | grep -v '\[0,0,0\]')
echo "positions: $positions"
xs=$(sed 's/.*\[\(-\?[0-9]*\),.*/\1/' <<<"$positions" | sort -n | tr '\n' ' ')
read -r left right <<<"$xs"
[ $((right - left)) -ge 4500 ] || fail "the dragged object did not move right: x $xs"

# The object properties of the dragged bunker: scale, role and a spinner, OK; undo, redo; Save.
xdotool mousemove 948 345 click --repeat 2 --delay 80 1
await "Object Property"
shot 10-object-properties
click 313 179 1 0.2 && xdotool key ctrl+a && xdotool type "3"  # Scaling X
click 798 257                                                  # Defend
click 315 647 1 0.8                                            # Spinner
await "Spinner Animation"
click 627 364 1 0.2 && xdotool key ctrl+a && xdotool type "10" # rotation Y
click 642 460 1 0.2 && xdotool key ctrl+a && xdotool type "4"  # period
click 542 515                                                  # Enabled
shot 11-spinner
click 590 555 1 0.6 # the spinner's OK
click 893 793 1 1   # the properties' OK
shot 12-properties-applied
click 1150 900 # the window has the keys again
xdotool key ctrl+z
sleep 0.6
shot 13-properties-undone
click 76 33 1 1 # Save
"$cli" dump "$saved" | tr -d ' \n' | grep -q '"menu_text":"Bunker".*"scale":\[1,1,1\].*"menu_text":"Bunker".*"scale":\[1,1,1\]' ||
    fail "undo did not take the properties back"
xdotool key ctrl+y
sleep 0.6
click 76 33 1 1 # Save
flat=$("$cli" dump "$saved" | tr -d ' \n')
grep -q '"scale":\[3,1,1\]' <<<"$flat" || fail "the scale of the dialog was not saved"
grep -q '"gamething_role":"defend"' <<<"$flat" || fail "the role of the dialog was not saved"
grep -q '"spinner":{"enabled":1,"period":4,"rotation":\[0,10,0\]' <<<"$flat" ||
    fail "the spinner of the dialog was not saved"

# The objectives editor: a row that destroys objective 2 of star 0 once objectives 2 and 1 are
# complete; the table saved to a file and loaded again; OK; Save.
table="$work/star0.tbl"
click 129 8 1 0.5 # Project Settings
click 150 139     # Mission Tables
await "ZEVEdit Mission Table Editor"
click 313 759 1 0.8 # Add
await "Mission Table Entry"
click 696 250         # Destroy
click 532 158         # Target / Activation
click 434 288         # the target is a star's objective
click 679 358 1 0.2 && xdotool key ctrl+a && xdotool type "1" # objective number 1
click 594 654         # Add it to the activation table
shot 14-table-entry
click 711 706 1 0.8   # the entry's OK
shot 15-mission-tables
click 876 759 1 0.8 # Save Table
await "Save Mission Table"
xdotool type --delay 10 "$table"
xdotool key Return
sleep 0.8
[ "$(stat -c %s "$table" 2>/dev/null)" = 22495 ] || fail "Save Table wrote no 22495-byte file"
click 876 730 1 0.8 # Load Table
await "Load Mission Table"
xdotool type --delay 10 "$table"
xdotool key Return
sleep 0.8
click 1064 730 1 0.8 # OK
click 76 33 1 1 # Save
"$cli" dump "$saved" | tr -d ' \n' |
    grep -q '"action":"Destroy","visibility":"Visible","target":"en00star_2","activation_conditions":\["Comp2","Comp1"' ||
    fail "the objectives row was not saved"
echo "session passed: $count objects, x $xs, properties and objectives saved"

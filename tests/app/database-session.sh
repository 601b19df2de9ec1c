#!/bin/bash
# The object viewer, the object database and the custom palette builder in the real editor on a
# virtual display, driven with real input events (xdotool): New; the viewer shows an object
# turning; "Add to Database" puts it into a new group; the full database editor renames it; the
# main window's tab for the group lists it and it is dropped; the palette builder saves a ".ccp"
# file and loads it back; Save As. The saved mission, the group file and the palette file must
# hold what was done. Screenshots go to the artefact directory.
#
# usage: database-session.sh ZEVEDIT ZEVEDIT-CLI SCREEN-GRAB ARTEFACT-DIR
# Without xdotool or xvfb-run the test is skipped (exit 77).
set -euo pipefail
editor=$1 cli=$2 grab=$3 artefacts=$4
session=database
source "$(dirname "$0")/session-lib.sh"
saved="$work/database.mdb"
group="$work/home/data/odb/Mine.odb"
utility() { click 212 8 1 0.5; click 256 $((29 + 22 * $1)) 1 1.5; } # the Utilitys menu's items

start_editor
new_mission DBSE Database

utility 3 # Object Viewer
await "ZEVEDIT 3D Object Viewer"
click 859 293 1 0.3 # "barracks.geo"
click 881 666 1 1   # View Selected Object
shot 03-viewer
sleep 1
shot 04-viewer-later
cmp -s "$artefacts/$session-03-viewer.png" "$artefacts/$session-04-viewer-later.png" &&
    fail "the viewed object does not turn"
click 881 694 1 1 # Add to Database
await "Quick Add"
click 289 540 1 1 # New Group
await "New Object Group Creation"
xdotool type "Mine"
click 572 415 1 0.8 # the name's OK
shot 05-quick-add
click 909 570 1 0.8 # OK: the record goes into the new group
click 331 240 1 1.5 # the viewer's Exit
[ "$(stat -c %s "$group" 2>/dev/null)" = 365 ] || fail "the quick add wrote no record into Mine"

utility 1 # Object Database
await "ZEVEDIT 3D Object Database"
click 246 379 1 0.4 # Mine.odb
click 363 337 1 0.4 # its "barracks"
field 604 348 "Barracks Mine" # Menu text
shot 06-object-database
click 341 622 1 0.6  # Save Data
click 1005 622 1 1   # Close
od -c "$group" | tr -d ' \n' | grep -q 'BarracksMine' || fail "Save Data did not rename the record"

for _ in 1 2 3; do click 210 63 1 0.3; done # the tabs scrolled to the new group
click 95 63 1 0.5  # "Mine"
# the object list shows under the drop button from the start
click 31 117 1 0.5 # "Barracks Mine"
shot 07-group-tab
click 1150 900     # the workspace has the keys
xdotool key Insert # the dropper
sleep 0.8
click 800 350 1 1
shot 08-dropped
xdotool key Home
sleep 0.5

# The palette builder: a name and the flag set, saved to a file; the name changed again and the
# file loaded back; OK.
palette="$work/mine.ccp"
click 129 8 1 0.5 && click 160 183 1 1.5 # Project Settings > Custom Color Pallette Builder
await "ZEVEDIT 3D Custom Color Pallette Builder"
field 270 333 IRCOOL # Day Standard
click 70 609         # Use custom color pallette for this mission
click 202 637 1 1    # Save to File
await "Save Custom Color Palette"
xdotool type --delay 10 "$palette"
xdotool key Return
sleep 1
[ "$(stat -c %s "$palette" 2>/dev/null)" = 616 ] || fail "Save to File wrote no 616-byte file"
field 270 333 ALLWHT
click 109 637 1 1 # Load from File
await "Load Custom Color Palette"
xdotool type --delay 10 "$palette"
xdotool key Return
sleep 1
shot 09-palette-loaded
click 1071 637 1 0.8 # OK

save_as "$saved"
[ -f "$saved" ] || fail "Save As wrote no file"
dump=$("$cli" dump "$saved")
check() { python3 -c "import json,sys; d=json.load(sys.stdin); sys.exit(0 if ($1) else 1)" <<<"$dump" || fail "$2"; }
check "[o['menu_text'] for o in d['objects']] == ['Barracks Mine']" "the renamed object was not dropped"
check "d['palette']['custom'] == 1 and d['palette']['entries'][0] == 'IRCOOL'" "the palette was not saved"
echo "database session passed: viewed, added, renamed, dropped; palette saved, loaded and stored"

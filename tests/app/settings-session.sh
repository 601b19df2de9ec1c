#!/bin/bash
# The mission settings dialogs in the real editor on a virtual display, driven with real input
# events (xdotool): New, then from the "Project Settings" menu the 3dfx options, the environment,
# the weather, the nav point table with its setting dialog, the start points and the briefing
# room with a page typed in three colours; Save As, reopen, the briefing room again, Build. The
# saved file and the built briefing must hold what was done. One screenshot per dialog goes to
# the artefact directory.
#
# usage: settings-session.sh ZEVEDIT ZEVEDIT-CLI SCREEN-GRAB ARTEFACT-DIR
# Without xdotool or xvfb-run the test is skipped (exit 77).
set -euo pipefail
editor=$1 cli=$2 grab=$3 artefacts=$4
session=settings
source "$(dirname "$0")/session-lib.sh"
saved="$work/settings.mdb"
# The menu's items, from the top.
menu() { click 129 8 1 0.5; click 160 $((29 + 22 * $1)) 1 1; }

start_editor
new_mission ABCD Settings

menu 0 # 3dfx Mission Options
await "3dfx Mission Options"
click 355 355      # 1.1 3dfx Patch
field 475 435 75   # Global Intensity
shot 03-3dfx-options
click 798 666 1 0.6 # OK

menu 2 # Mission Enviroment
await "Mission Enviroment"
click 611 374 # Fog World
click 789 495 # the "nightpal" palette
click 623 533 # Night
shot 04-environment
click 791 670 1 0.6 # OK

menu 3 # Weather Settings
await "Weather Settings"
click 523 375     # Rain
field 693 466 40  # Particles per second
shot 05-weather
click 629 620 1 0.6 # OK

menu 4 # Nav Points
await "Nav points"
xdotool mousemove 313 259 click --repeat 2 --delay 80 1 # slot 1 of star 0
await "Nav Point Setting"
click 449 199 # Use Nav in Mission
field 627 255 -3000
field 627 283 0
field 627 311 4000
field 648 433 200 # Radius
click 449 378     # Enable Nav Point
click 462 489     # Begin
click 574 515     # Goto
field 666 632 "Nav Bravo"
shot 06-nav-point-setting
click 670 661 1 0.6 # the setting's OK
shot 07-nav-points
click 983 751 1 0.8 # the table's OK

menu 6 # Player Start Points
await "Player Start Points"
click 486 332   # Player Three
field 551 362 5000
field 551 446 90 # Heading
click 815 520    # Cow Camo Pattern
click 673 332    # Player Five and back: the page keeps what was typed
click 486 332
shot 08-start-points
click 875 612 1 0.8 # OK
shot 09-markers-moved

menu 1 # Briefing Room
await "Briefing Room"
click 825 470 1 0.2 # the Main page
xdotool type "Red line"
xdotool key shift+Home
click 711 620 1 0.2 # Red
xdotool key End Return
click 768 620 1 0.2 # Green, for what is typed next
xdotool type "Green line"
xdotool key Return
click 828 620 1 0.2 # Blue
xdotool type "Blue line"
field 450 350 "Cold Front" # Mission Title
shot 10-briefing-room
click 899 620 1 0.6 # OK

save_as "$saved"
[ -f "$saved" ] || fail "Save As wrote no file"
open_file "$saved"
menu 1
await "Briefing Room"
shot 11-briefing-reopened
click 984 620 1 0.6 # Cancel
click 240 33 1 3    # Build
shot 12-built

dump=$("$cli" dump "$saved")
check() { python3 -c "import json,sys; d=json.load(sys.stdin); sys.exit(0 if ($1) else 1)" <<<"$dump" || fail "$2"; }
check "d['header']['patch'] == 1 and d['header']['dfx_flag_1'] == 1 and d['header']['dfx_options'][0] == 75" \
    "the 3dfx options were not saved"
check "d['header']['fog'] == 1 and d['header']['color_palette'] == 'nightpal' and d['header']['now'] == 3" \
    "the environment was not saved"
check "d['weather']['type'] == 1 and d['weather']['parsec'] == '40'" "the weather was not saved"
check "[n for n in d['stars'][0]['nav_points'] if n['index'] == 1] == [{'index': 1, 'x': '-3000', 'y': '0', 'z': '4000', 'heading': '', 'enabled': '1', 'group_id': '', 'radius': '200', 'actions': 'Begin;Goto', 'text': 'Nav Bravo'}]" \
    "the nav point was not saved"
check "d['start_points'][2] == {'player': 3, 'x': '5000', 'y': '0', 'z': '56200', 'heading': '90', 'camouflage': 5}" \
    "the start point was not saved"
check "d['header']['mission_name'] == 'Cold Front'" "the mission title was not saved"
brf="$work/home/source/ABCD/ABCDbrf0.txt"
[ "$(cat "$brf" 2>/dev/null)" = "$(printf '&RRed line\r\n&GGreen line\r\n&BBlue line\r\n&X')" ] ||
    fail "the built briefing is not the typed one: $(od -c "$brf" 2>&1 | head -5)"
echo "settings session passed: every dialog's change saved, the briefing built in three colours"

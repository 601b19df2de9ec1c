#!/bin/bash
# Many objects at once in the real editor on a virtual display, driven with real input events
# (xdotool): three drops, a rectangle around two of them in the top view and Delete; undo; Ctrl
# clicks that add and take out; Ctrl+A and Ctrl+D; Ctrl+C (the clipboard's text is JSON), New,
# Ctrl+V and Save As: the pasted mission holds the same objects in the same layout; Ctrl+H hides
# the pasted ones for the session and Ctrl+Shift+H shows them again.
#
# usage: selection-session.sh ZEVEDIT ZEVEDIT-CLI SCREEN-GRAB ARTEFACT-DIR
# Without xdotool or xvfb-run the test is skipped (exit 77).
set -euo pipefail
editor=$1 cli=$2 grab=$3 artefacts=$4
session=selection
source "$(dirname "$0")/session-lib.sh"
first="$work/first.mdb" doubled="$work/doubled.mdb" pasted="$work/pasted.mdb"

# New, its dialog put where it opens without a window manager (a window manager places it lower).
new_mission_here() { # project, mission
    click 187 33 # New
    await "New Mission Selection"
    xdotool search --name "New Mission Selection" windowmove --sync 498 378
    sleep 0.3
    click 688 432
    xdotool type --delay 20 "$1"
    click 688 460
    xdotool type --delay 20 "$2"
    click 624 543 1 1 # OK
}

# How many objects a saved mission holds.
count() { "$cli" dump "$1" | python3 -c 'import json,sys; print(len(json.load(sys.stdin)["objects"]))'; }

start_editor
new_mission_here SELE Select
# the object list shows under the drop button from the start
click 30 117       # "Bunker"
click 1150 900     # the ground: the workspace has the keys
xdotool key Insert # the dropper, which shows the top view
sleep 0.8
for at in "500 350" "800 350" "800 700"; do click $at 1 0.8; done
xdotool key Home # the mouse tool and the front view
sleep 0.8
click 660 33 1 0.8 # Top

# A rectangle from the empty ground around the upper two, then Delete.
xdotool mousemove 420 270 mousedown 1
sleep 0.2
for _ in $(seq 1 10); do
    xdotool mousemove_relative -- 45 16
    sleep 0.08
done
shot 03-rectangle
xdotool mouseup 1
sleep 0.4
shot 03-two-boxed
xdotool key Delete
sleep 0.6
shot 04-two-deleted
save_as "$first"
[ "$(count "$first")" -eq 1 ] || fail "expected 1 object after the boxed delete, found $(count "$first")"

# Undo brings both back; Ctrl+click adds one and takes it out again.
click 1150 900 # the window has the keys again
xdotool key ctrl+z
sleep 0.6
click 800 700
xdotool keydown ctrl
click 500 350
shot 05-ctrl-click-added
click 500 350
xdotool keyup ctrl
sleep 0.3
shot 06-ctrl-click-removed

# Everything doubled: Ctrl+A, Ctrl+D.
xdotool key ctrl+a
sleep 0.4
xdotool key ctrl+d
sleep 1
shot 07-duplicated
click 76 33 1 1 # Save
[ "$(count "$first")" -eq 6 ] || fail "expected 6 objects after Ctrl+D, found $(count "$first")"
cp "$first" "$doubled"

# Copy all; the clipboard holds JSON: a list of the six objects.
xdotool key ctrl+a
sleep 0.4
xdotool key ctrl+c
sleep 0.4
"$grab" --clipboard >"$work/clipboard.json"
python3 -c 'import json,sys; o=json.load(open(sys.argv[1])); assert len(o)==6, len(o)' \
    "$work/clipboard.json" || fail "the clipboard's text is not a JSON list of 6 objects"
cp "$work/clipboard.json" "$artefacts/$session-clipboard.json"

# A new mission, the pointer over the top view's ground, Ctrl+V, Save As.
new_mission_here SELP Pasted
click 660 33 1 0.8 # Top
click 1150 900     # the window has the keys again
xdotool mousemove 700 500
sleep 0.3
xdotool key ctrl+v
sleep 1.5
shot 08-pasted
save_as "$pasted"
[ "$(count "$pasted")" -eq 6 ] || fail "expected 6 pasted objects, found $(count "$pasted")"

# The same records and the same layout: positions differ by one offset for all.
python3 - "$doubled" "$pasted" <<EOF || fail "the pasted mission differs from the copied one"
import subprocess, sys, json
def objects(path):
    listed = []
    for o in json.loads(subprocess.check_output(["$cli", "dump", path]))["objects"]:
        position = o.pop("position")
        o.pop("slot")
        listed.append((position, json.dumps(o, sort_keys=True)))
    return listed
a, b = objects(sys.argv[1]), objects(sys.argv[2])
assert [r for _, r in a] == [r for _, r in b], "records differ"
offsets = {tuple(q - p for p, q in zip(pa, pb)) for (pa, _), (pb, _) in zip(a, b)}
assert len(offsets) == 1, offsets
print("layout kept, offset", offsets.pop())
EOF
# Hidden for the session: not drawn, "6 hidden" in the status bar; Save still writes them.
xdotool key ctrl+a
xdotool key ctrl+h
sleep 0.6
shot 09-hidden
click 76 33 1 1 # Save
[ "$(count "$pasted")" -eq 6 ] || fail "hidden objects were not saved"
xdotool key ctrl+shift+h
sleep 0.6
shot 10-unhidden
echo "selection session passed"

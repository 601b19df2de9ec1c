# What the editor session scripts share: a virtual display of their own, a demo program
# directory, the editor started windowed on it, and input and screenshot helpers.
# Sourced with: editor cli grab artefacts (the scripts' arguments) and $session (a name).

if [ -z "${ZEV_SESSION_DISPLAY:-}" ]; then
    command -v xdotool >/dev/null && command -v xvfb-run >/dev/null || exit 77
    export ZEV_SESSION_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$artefacts"
"$cli" demo "$work" >/dev/null
# Auto-zoom off, so the top camera stays where the drops are made.
printf '[Render%%20Options]\nWAuto%%20Zoom=false\n' >"$work/settings.ini"

shot() { "$grab" "$artefacts/$session-$1.png" 2>/dev/null; }
click() { xdotool mousemove "$1" "$2" click "${3:-1}"; sleep "${4:-0.4}"; }
# Clicks a text field, replaces what it holds with $3.
field() { click "$1" "$2" 1 0.2; xdotool key ctrl+a; xdotool type -- "$3"; }
fail() {
    shot failure
    echo "FAILED: $*" >&2
    cat "$work/editor.log" >&2 || true
    exit 1
}
# Waits until a window whose title matches $1 is there.
await() {
    for _ in $(seq 1 100); do
        xdotool search --name "$1" >/dev/null 2>&1 && { sleep 0.5; return 0; }
        sleep 0.1
    done
    fail "no window named '$1'"
}
drag() { # button, from x y, steps of dx dy
    xdotool mousemove "$2" "$3" mousedown "$1"
    sleep 0.2
    for _ in $(seq 1 "$4"); do
        xdotool mousemove_relative -- "$5" "$6"
        sleep 0.08
    done
    xdotool mouseup "$1"
    sleep 0.4
}
# File dialogs: the path typed into the one that opens.
save_as() { click 133 33 1 1; await "FileSave"; xdotool type --delay 10 "$1"; xdotool key Return; sleep 1; }
open_file() { click 28 33 1 1; await "FileOpen"; xdotool type --delay 10 "$1"; xdotool key Return; sleep 1.5; }

# The editor on the demo data, windowed on its one device, with a new mission.
start_editor() {
    "$editor" --home "$work/home" --archive "$work/game/ZEV.PRJ" --settings "$work/settings.ini" \
        >"$work/editor.log" 2>&1 &
    pid=$!
    await "ZEVEDIT 3D"
    shot 01-startup
    click 629 579 1 2 # Launch Editor (windowed, the one device)
    [ -n "${keep_docks:-}" ] || hide_docks
    shot 02-workspace
}
# The outline, inspector and problems docks hidden ("View" menu), so the workspace has the
# window's width the positions of these scripts were taken in (keep_docks=1 keeps them).
hide_docks() {
    for y in 29 51 73; do # "Outline", "Inspector", "Problems"
        click 417 8 1 0.6
        click 447 "$y" 1 0.5
    done
}
new_mission() { # project, mission
    click 187 33 # New
    await "New Mission Selection"
    click 688 432
    xdotool type --delay 20 "$1"
    click 688 460
    xdotool type --delay 20 "$2"
    click 624 543 1 1 # OK
}

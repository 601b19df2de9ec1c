#!/bin/bash
# Makes the guide's pictures (and the README's) with the programs themselves: zevedit-cli render
# draws the sample mission from the front, and the editor opened on the sample
# on a virtual display with a window manager is photographed whole. Run it from a build tree
# after the sample mission or the editor's look changed:
#   docs/guide/make-pictures.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(cd "${1:-build}" && pwd)
guide=$PWD/docs/guide
cli=$build/tools/zevedit-cli
editor=$build/src/app/zevedit
grab=$build/tests/app/zev_screen_grab
for tool in xvfb-run xdotool openbox; do
    command -v $tool >/dev/null || { echo "$tool is needed" >&2; exit 1; }
done

if [ -z "${ZEV_PICTURES_DISPLAY:-}" ]; then
    export ZEV_PICTURES_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build"
fi

work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
"$cli" demo "$work" >/dev/null
sample=$work/missions/sample.mdb
"$cli" --home "$work/home" render "$sample" "$guide/sample-front.png" \
    --archive "$work/game/ZEV.PRJ" --view front --size 640x480

openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
"$editor" --home "$work/home" --archive "$work/game/ZEV.PRJ" --settings "$work/settings.ini" \
    "$sample" >"$work/editor.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do xdotool search --name "ZEVEDIT 3D" >/dev/null 2>&1 && break; sleep 0.1; done
sleep 0.5
xdotool key Return # Launch Editor
for _ in $(seq 1 100); do xdotool search --name "sample.mdb" >/dev/null 2>&1 && break; sleep 0.1; done
sleep 2
"$grab" "$guide/main-window.png"
echo "pictures written to $guide"

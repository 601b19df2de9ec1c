#!/bin/sh
# Runs a test program; rendering tests (names containing "Render") get a virtual X display
# when none is set, and must then find OpenGL (ZEV_REQUIRE_GL).
case "$*" in
*Render*)
    export ZEV_REQUIRE_GL=1
    if [ -z "$DISPLAY" ] && command -v xvfb-run >/dev/null 2>&1; then
        exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
    ;;
esac
exec "$@"

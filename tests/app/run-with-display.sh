#!/bin/sh
# Runs a test program that needs a display: without one, a virtual X display (xvfb-run) is
# started, and the program must then find OpenGL (ZEV_REQUIRE_GL). Listing the tests needs none.
case "$*" in
*--gtest_list_tests*) exec "$@" ;;
esac
if [ -z "$DISPLAY" ] && command -v xvfb-run >/dev/null 2>&1; then
    export ZEV_REQUIRE_GL=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
fi
exec "$@"

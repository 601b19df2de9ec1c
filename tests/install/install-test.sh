#!/usr/bin/env bash
# Installs the build into a temporary prefix, takes away every write permission there and runs
# the installed programs as a new user would: a fresh HOME, no ZEVEDIT_HOME, no --home. As root
# the programs run as nobody (setpriv), since root writes through any permission bits; either
# way a listing of the prefix taken before is compared with one taken after.
#   install-test.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2

tmp=$(mktemp -d)
cleanup() {
    chmod -R u+w "$tmp" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
chmod 755 "$tmp"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/zevedit bin/zevedit-cli share/zevedit/zevedit.ini \
    share/applications/io.github.zevedit.ZevEdit.desktop \
    share/metainfo/io.github.zevedit.ZevEdit.metainfo.xml \
    share/mime/packages/io.github.zevedit.ZevEdit.xml share/zevedit/guide/index.html \
    share/icons/hicolor/scalable/apps/zevedit.svg share/man/man1/zevedit-cli.1; do
    [ -f "$prefix/$f" ] || fail "not installed: $f"
done
for size in 48 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/zevedit.png
    [ -f "$png" ] || fail "not installed: $png"
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dims" = "${size}x${size}" ] || fail "$png is $dims"
done
ls "$prefix"/share/zevedit/examples/data/odb/*.odb >/dev/null || fail "no example groups installed"
ls "$prefix"/share/zevedit/guide/*.png >/dev/null || fail "the guide's pictures are not installed"
grep -q '^Exec=zevedit %f$' "$prefix/share/applications/io.github.zevedit.ZevEdit.desktop" ||
    fail "the desktop entry takes no file"
# The MIME type builds into a MIME database and names the mission files.
if command -v update-mime-database >/dev/null; then
    mkdir -p "$tmp/mime/packages"
    cp "$prefix/share/mime/packages/io.github.zevedit.ZevEdit.xml" "$tmp/mime/packages/"
    update-mime-database "$tmp/mime" >"$tmp/mime.log" 2>&1 || { cat "$tmp/mime.log"; fail "update-mime-database"; }
    grep -q 'application/x-zevedit-mission:\*\.mdb' "$tmp/mime/globs2" || fail "no *.mdb glob"
else
    echo "skipped: update-mime-database not installed"
fi

# Validators where the machine has them (scripts/deps.sh installs both).
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/io.github.zevedit.ZevEdit.desktop" ||
        fail "desktop-file-validate"
else
    echo "skipped: desktop-file-validate not installed"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic \
        "$prefix/share/metainfo/io.github.zevedit.ZevEdit.metainfo.xml" >"$tmp/as.log" 2>&1 ||
        { cat "$tmp/as.log"; fail "appstreamcli validate"; }
else
    echo "skipped: appstreamcli not installed"
fi
if command -v groff >/dev/null; then
    warnings=$(groff -man -ww -z "$prefix/share/man/man1/zevedit-cli.1" 2>&1)
    [ -z "$warnings" ] || fail "man page: $warnings"
fi

chmod -R a-w "$prefix"
listing() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(listing)

user=$tmp/user
mkdir -p "$user/home" "$user/work"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    command -v setpriv >/dev/null || fail "running as root needs setpriv to drop to nobody"
    chown -R 65534:65534 "$user"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
run() {
    env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$user/home" LANG=C.UTF-8 "$@"
}
runu() { run "${as_user[@]}" "$@"; }
cli() { (cd "$user/work" && runu zevedit-cli "$@"); }

[ "$(cli --version)" = "zevedit-cli $version" ] || fail "zevedit-cli --version: $(cli --version)"
[ "$(runu zevedit --version)" = "zevedit $version" ] || fail "zevedit --version"

data=$user/home/.local/share/ZEVEDIT3D
cli new raid.mdb --project RAID --mission "Night Raid" >/dev/null
cmp -s "$data/zevedit.ini" "$prefix/share/zevedit/zevedit.ini" || fail "zevedit.ini not seeded"
runu test -w "$data/zevedit.ini" || fail "the seeded zevedit.ini is not writable"
[ -d "$data/data/odb" ] && [ -z "$(ls -A "$data/data/odb")" ] || fail "data/odb not seeded empty"
cli save-as raid.mdb raid2.mdb
cli dump raid2.mdb >"$user/work/raid.json"
grep -q '"Night Raid"' "$user/work/raid.json" || fail "dump lacks the mission name"
cli build raid2.mdb >/dev/null
[ -n "$(ls -A "$data/source/RAID" 2>/dev/null)" ] || fail "build wrote no sources"
cli examples >/dev/null
[ "$(cli groups | wc -l)" -gt 0 ] || fail "no groups after examples"

# The editor resolves (and seeds) the same way; on a virtual display it shows its start-up form
# (found by title where xdotool is installed) and stays up until closed.
if command -v xvfb-run >/dev/null; then
    gui_home=$user/gui-home
    runu mkdir -p "$gui_home"
    gui_data=$gui_home/.local/share/ZEVEDIT3D
    env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$gui_home" LANG=C.UTF-8 \
        "${as_user[@]}" xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
        zevedit & pid=$!
        shown() {
            command -v xdotool >/dev/null || return 0
            xdotool search --name "^ZEVEDIT 3D\$" >/dev/null 2>&1
        }
        i=0
        while [ $i -lt 40 ]; do
            sleep 0.5
            kill -0 $pid 2>/dev/null || { wait $pid; echo "zevedit ended early: $?"; exit 1; }
            [ -f "$1/zevedit.ini" ] && [ $i -ge 4 ] && shown && break
            i=$((i + 1))
        done
        ok=0
        [ -f "$1/zevedit.ini" ] && shown && ok=1
        kill $pid; wait $pid 2>/dev/null
        [ $ok -eq 1 ]' sh "$gui_data" || fail "the installed editor did not start"
else
    echo "skipped: starting the editor (no xvfb-run)"
fi

[ "$(listing)" = "$before" ] || {
    diff <(echo "$before") <(listing) >&2 || true
    fail "something was written under the prefix"
}
echo "installed programs ran from a read-only prefix"

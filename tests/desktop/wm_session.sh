#!/bin/sh
# Runs a command on a virtual X server of its own (1280x1024) under the Openbox window manager,
# as on a user's desktop; with --bare on the X server alone, without a window manager. Exits 77
# (skipped) when a tool is missing.
#   wm_session.sh [--bare] COMMAND [ARGS...]
bare=0
if [ "$1" = "--bare" ]; then
    bare=1
    shift
fi
for t in Xvfb openbox xdotool xclip xprop xwininfo; do
    command -v "$t" >/dev/null 2>&1 || { echo "$t missing: skipped"; exit 77; }
done
tmp=$(mktemp -d)
wm=""
xvfb=""
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
# The server picks a free display itself: sessions running side by side never clash.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
i=0
until [ -s "$tmp/display" ]; do
    i=$((i + 1))
    if [ $i -gt 600 ] || ! kill -0 "$xvfb" 2>/dev/null; then
        echo "Xvfb did not start"; cat "$tmp/xvfb.log"; exit 1
    fi
    sleep 0.1
done
DISPLAY=":$(head -n1 "$tmp/display")"
export DISPLAY
if [ $bare -eq 0 ]; then
    XDG_CONFIG_HOME="$tmp" openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
    wm=$!
    i=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        i=$((i + 1))
        if [ $i -gt 600 ] || ! kill -0 "$wm" 2>/dev/null; then
            echo "openbox did not start"; cat "$tmp/openbox.log"; exit 1
        fi
        sleep 0.1
    done
fi
unset TAVIX_HEADLESS WAYLAND_DISPLAY
export NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory LC_ALL=C.UTF-8
"$@"

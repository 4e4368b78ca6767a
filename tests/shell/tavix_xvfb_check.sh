#!/bin/sh
# Starts the real editor with the GTK host under a virtual X server, opens a program from the
# command line and lets it save a picture of its maximized main window; the picture must show
# the window's many colours (menus, toolbar, palette, diagram, log, status bar), not a blank.
# With X_WINDOW_COMPARE the editor is started once more with the same program, and what the X
# server shows in its main window must be the editor's own image of it (never black or blank);
# the server's picture is saved next to OUT.png.
#   tavix_xvfb_check.sh TAVIX PROGRAM OUT.png [X_WINDOW_COMPARE]
set -e
if [ "$1" = "--on-display" ]; then
    # The second run, inside the virtual X server.
    shift
    tavix="$1"
    program="$2"
    dir="$3"
    compare="$4"
    . "$(dirname "$0")/../desktop/desktop_lib.sh"
    TAVIX_LAYOUT_REPORT="$dir/layout.txt" TAVIX_WINDOW_IMAGES="$dir" "$tavix" "$program" >"$dir/tavix.out" 2>&1 &
    pid=$!
    wait_for "the editor listening for SIGUSR1" catches_usr1 "$pid"
    wait_for "the program's diagram" has_line "$dir/layout.txt" "^block "
    for try in 1 2 3; do
        rm -f "$dir/index"
        kill -USR1 "$pid"
        wait_for "the editor's window images" test -e "$dir/index"
        read -r xid width height <"$dir/index"
        if "$compare" "$xid" "$dir/$xid.png" "$dir/shown.png"; then
            kill "$pid"
            exit 0
        fi
    done
    kill "$pid"
    echo "the X server does not show the editor's main window as the editor drew it"
    exit 1
fi
tavix="$1"
program="$2"
shot="$3"
compare="$4"
rm -f "$shot"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
env -u TAVIX_HEADLESS -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$config" NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory \
    TAVIX_SCREENSHOT="$shot" timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" "$tavix" "$program"
test -s "$shot"
colours=$(python3 -c "
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
w, h = struct.unpack('>II', data[16:24])
idat = b''
pos = 8
while pos < len(data):
    n, kind = struct.unpack('>I4s', data[pos:pos + 8])
    if kind == b'IDAT':
        idat += data[pos + 8:pos + 8 + n]
    pos += 12 + n
raw = zlib.decompress(idat)
bpp = (len(raw) // h - 1) // w
print(len({raw[i:i + 3] for y in range(0, h, 7) for i in range(y * (w * bpp + 1) + 1, (y + 1) * (w * bpp + 1), bpp * 5)}))
" "$shot")
echo "colours: $colours"
test "$colours" -gt 8
if [ -n "$compare" ]; then
    rm -f "${shot%.png}-x-server.png"
    env -u TAVIX_HEADLESS -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$config" NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory \
        timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" --on-display "$tavix" "$program" "$config" "$compare"
    cp "$config/shown.png" "${shot%.png}-x-server.png"
fi

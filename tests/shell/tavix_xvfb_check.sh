#!/bin/sh
# Starts the real editor with the GTK host under a virtual X server, opens a program from the
# command line and lets it save a picture of its maximized main window; the picture must show
# the window's many colours (menus, toolbar, palette, diagram, log, status bar), not a blank.
#   tavix_xvfb_check.sh TAVIX PROGRAM OUT.png
set -e
tavix="$1"
program="$2"
shot="$3"
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

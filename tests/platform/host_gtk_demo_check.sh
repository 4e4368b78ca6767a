#!/bin/sh
# Runs the window demo with the GTK host under a virtual X server, lets it take a screenshot of
# its own window after the first paint, and checks the picture is not blank.
#   host_gtk_demo_check.sh DEMO OUT.png [headless|click]
# "click" also clicks the child through the X server, which must turn it red, and types into
# it, which must arrive as the same characters.
set -e
demo="$1"
shot="$2"
rm -f "$shot"
if [ "$3" = "headless" ]; then
    TAVIX_HEADLESS=1 "$demo" --screenshot="$shot" --quit-after-paint
elif [ "$3" = "click" ]; then
    env -u TAVIX_HEADLESS -u WAYLAND_DISPLAY NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory GDK_CORE_DEVICE_EVENTS=1 xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$demo" --screenshot="$shot" --quit-after-paint --click-child --type='Ab1 x;' > "$shot.out"
    grep -qx 'typed: Ab1 x;' "$shot.out"
    test "$("$demo" --pixel="$shot,150,110")" = "C83C28"
else
    env -u TAVIX_HEADLESS -u WAYLAND_DISPLAY NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$demo" --screenshot="$shot" --quit-after-paint
fi
test -s "$shot"
"$demo" --count-colours="$shot"

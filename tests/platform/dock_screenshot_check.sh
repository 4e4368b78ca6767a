#!/bin/sh
# Runs the docking demo with the GTK host under a virtual X server and checks that the
# screenshot it takes of its frame shows the bars. Exits 77 (skipped) without xvfb-run.
#   dock_screenshot_check.sh DEMO OUT.png
demo="$1"
shot="$2"
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "xvfb-run not found: skipped"
    exit 77
fi
set -e
rm -f "$shot"
env -u TAVIX_HEADLESS -u WAYLAND_DISPLAY NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$demo" --screenshot="$shot" --quit-after-paint
test -s "$shot"
"$demo" --count-colours="$shot"

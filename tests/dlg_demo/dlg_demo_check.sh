#!/bin/sh
# Runs the dialog demo, lets it take a screenshot of its dialog once shown, and checks the
# picture is not blank. Exit 77 (skipped) when the GTK run has no xvfb-run.
#   dlg_demo_check.sh DEMO OUT.png [headless]
set -e
demo="$1"
shot="$2"
rm -f "$shot"
if [ "$3" = "headless" ]; then
    TAVIX_HEADLESS=1 "$demo" --screenshot="$shot" --quit-after-paint
else
    command -v xvfb-run >/dev/null 2>&1 || { echo "xvfb-run missing: skipped"; exit 77; }
    env -u TAVIX_HEADLESS -u WAYLAND_DISPLAY NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$demo" --screenshot="$shot" --quit-after-paint
fi
test -s "$shot"
"$demo" --count-colours="$shot"

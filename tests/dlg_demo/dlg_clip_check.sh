#!/bin/sh
# Two instances of the demo under one virtual X server: the first places data under the
# private format and as text, the second reads both through the system clipboard.
# Exit 77 (skipped) without xvfb-run.
#   dlg_clip_check.sh DEMO WORKDIR
set -e
demo="$1"
dir="$2"
command -v xvfb-run >/dev/null 2>&1 || { echo "xvfb-run missing: skipped"; exit 77; }
mkdir -p "$dir"
# A loaded machine (sanitizer builds, parallel tests) can let the reader's paste wait run out
# before the offering instance answers; such a run is tried again, a wrong answer is not.
attempt=1
while :; do
    rm -f "$dir/ready" "$dir/read.txt"
    env -u TAVIX_HEADLESS -u WAYLAND_DISPLAY NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory DEMO="$demo" DIR="$dir" \
        xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
            "$DEMO" --clip-offer=field-7 --ready="$DIR/ready" &
            offer=$!
            while [ ! -s "$DIR/ready" ]; do
                kill -0 $offer 2>/dev/null || exit 3
                sleep 0.1
            done
            "$DEMO" --clip-read > "$DIR/read.txt"
            wait $offer' || true
    if [ -s "$dir/read.txt" ] && ! grep -qx "widget:" "$dir/read.txt"; then break; fi
    [ $attempt -ge 3 ] && break
    attempt=$((attempt + 1))
done
cat "$dir/read.txt"
grep -qx "widget:field-7" "$dir/read.txt"
grep -qx "text:field-7" "$dir/read.txt"

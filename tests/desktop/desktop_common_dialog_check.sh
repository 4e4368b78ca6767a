#!/bin/sh
# The editor's file and colour questions on a desktop: each is opened from the real
# editor's menu, toolbar or key, answered in GTK's own dialog with real X input (a path typed,
# Enter pressed), and its result checked from outside the editor (the program opened, the file
# written, the colour the X server shows).
#   wm_session.sh desktop_common_dialog_check.sh TAVIX X_WINDOW_SHOT FIXTURE.yfb WORKDIR CASE
# CASE: open, saveas, colour.
set -e
tavix="$1"
shot="$2"
fixture="$3"
dir="$4"
case_="$5"
. "$(dirname "$0")/desktop_lib.sh"
for t in python3 convert; do
    command -v "$t" >/dev/null 2>&1 || { echo "$t missing: skipped"; exit 77; }
done
rm -rf "$dir"
mkdir -p "$dir/config" "$dir/files"
report="$dir/layout.txt"
field() { grep -- "^$1" "$report" | tail -n1 | awk -v n="$2" '{print $n}'; }
# act XDOTOOL_ARGS...: one input, waited for until the editor has taken it (see the journey).
act() {
    taken=$(field "input " 2)
    for try in 1 2 3; do
        xdotool "$@"
        i=0
        while [ $i -lt 150 ]; do
            v=$(field "input " 2)
            [ -n "$v" ] && [ "$v" -gt "$taken" ] && return 0
            i=$((i + 1))
            sleep 0.1
        done
    done
    echo "timed out waiting for: input $* taken"
    return 1
}
main_key() { xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true; act key "$1"; }
# A key that opens a GTK dialog: the editor waits inside it and reports nothing meanwhile, so
# the dialog's coming is what is waited for.
dialog_key() { xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true; xdotool key "$1"; }
# answer TITLE KEYS...: the GTK dialog of that title comes up; the keys are given to it.
dialog_of() { window_of "$1"; }
type_into() {
    title="$1"
    d=$(dialog_of "$1")
    xdotool windowactivate --sync "$d" >/dev/null 2>&1 || true
    shift
    # Open: the location field asked for (Ctrl+L); Save: the whole name replaced (GTK selects
    # only the part before the extension).
    if [ "$title" = "Open" ]; then xdotool key ctrl+l; else xdotool key ctrl+a; fi
    xdotool type --delay 30 "$1"
}
gone_window() { ! xdotool search --onlyvisible --name . | grep -qx "$1"; }
has_file() { [ -s "$1" ]; }
starts_with() { [ "$(head -c "${#2}" "$1")" = "$2" ]; }
# pixel X Y: the colour the X server shows at that screen point, as ImageMagick writes it.
pixel() {
    # The shot tool reports the picture's colour count on its output: only the pixel is answered.
    "$shot" "$dir/pixel.png" >/dev/null
    convert "$dir/pixel.png" ppm:- | python3 -c '
import sys
d = sys.stdin.buffer.read()
f = d.split(maxsplit=4)  # P6, width, height, depth, pixels
w = int(f[1]); x, y = int(sys.argv[1]), int(sys.argv[2])
print("%02x%02x%02x" % tuple(f[4][(y * w + x) * 3:(y * w + x) * 3 + 3]))' "$1" "$2"
}
pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }
pixel_is_not() { [ "$(pixel "$1" "$2")" != "$3" ]; }
title_has() { xdotool getwindowname "$main" | grep -qF -- "$1"; }
new_program() {
    main_key alt+f
    # File > New > Function block diagram, then its properties confirmed with OK.
    xdotool key Return Return
    win=$(window_of "Properties")
    xdotool windowactivate --sync "$win" key Return
    wait_for "new program" has_line "$report" "^view "
}

XDG_CONFIG_HOME="$dir/config" TAVIX_LAYOUT_REPORT="$report" "$tavix" >"$dir/tavix.out" 2>&1 &
pid=$!
wait_for "main window" has_line "$report" "^documents 0"
wait_for "input count" has_line "$report" "^input "
main=$(window_of "VOLMERAEditor")

case "$case_" in
open)
    # The file typed as a path; the program it holds is open and named after it.
    cp "$fixture" "$dir/files/opened.yfb"
    main_key alt+f
    xdotool key o
    # On a loaded machine the chooser may take the first keys before its location field is
    # ready: the path is typed again while the dialog stays open.
    for try in 1 2 3; do
        type_into "Open" "$dir/files/opened.yfb"
        xdotool key Return
        i=0
        while [ $i -lt 100 ] && ! gone_window "$d"; do i=$((i + 1)); sleep 0.1; done
        gone_window "$d" && break
    done
    wait_for "program opened" has_line "$report" "^documents 1 "
    wait_for "title names the file" title_has "opened"
    ;;
saveas)
    # A new program saved under the path typed: the file is written and the title takes it.
    new_program
    dialog_key ctrl+s
    type_into "Save As" "$dir/files/saved.yfb"
    xdotool key Return
    wait_for "program saved" has_file "$dir/files/saved.yfb"
    wait_for "saved as a program" starts_with "$dir/files/saved.yfb" UUU
    wait_for "title names the file" title_has "saved"
    ;;
colour)
    # The diagram's background colour chosen in GTK's chooser with the keyboard: the X server
    # shows the view in the colour chosen.
    new_program
    vx=$(($(field "view " 2) + 40))
    vy=$(($(field "view " 3) + 400))
    wait_for "view shown" pixel_is_not "$vx" "$vy" 000000
    before=$(pixel "$vx" "$vy")
    main_key alt+o
    xdotool key Down Down Down Return
    # The chooser has the focus on the palette's first swatch (GTK's light blue): Space picks
    # it, Alt+S (Select) answers.
    chooser=$(dialog_of "Set the logic view background color")
    xdotool windowactivate --sync "$chooser" key space
    xdotool key alt+s
    wait_for "chooser closed" gone_window "$chooser"
    wait_for "view painted light blue (was $before)" pixel_is "$vx" "$vy" 99c1f1
    ;;
*)
    echo "unknown case $case_"
    exit 2
    ;;
esac
"$shot" "$dir/$case_.png" || true
kill "$pid" 2>/dev/null || true
wait_for "editor ended" gone "$pid"
echo "$case_: done"

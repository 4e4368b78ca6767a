#!/bin/sh
# A program from scratch in the real editor with the GTK host on a desktop, driven with real X
# input: a new function block diagram (its properties confirmed), two inputs, an AND gate, an
# on-delay timer and an output placed from the palette and wired, the program simulated with its
# inputs switched on from the Inputs bar until the output's lamp lights, and the editor ended
# (saving and opening again are the headless journey's). A picture
# of the screen is taken from the X server at each step and saved in WORKDIR: none may be blank,
# and the last shows the output's lamp lit. The editor reports where its controls stand
# (TAVIX_LAYOUT_REPORT); the check clicks there.
#   wm_session.sh desktop_journey_check.sh TAVIX X_WINDOW_SHOT WORKDIR
set -e
tavix="$1"
shot="$2"
dir="$3"
. "$(dirname "$0")/desktop_lib.sh"
rm -rf "$dir"
mkdir -p "$dir/config"
report="$dir/layout.txt"
step=0
# snap NAME [--lamp=X,Y]: a picture of the screen, taken from the X server once the editor has
# drawn; it must not be blank (the editor's windows show many colours). Its report stays in
# $dir/shot.txt.
snap() {
    step=$((step + 1))
    name="$1"
    shift
    wait_for "the editor's windows drawn" drawn
    "$shot" "$dir/$(printf %02d "$step")-$name.png" "$@" >"$dir/shot.txt"
    colours=$(awk '/^colours/ {print $2}' "$dir/shot.txt")
    if [ "$colours" -lt 16 ]; then
        echo "picture $step ($name) is blank: $colours colours"
        exit 1
    fi
}
# drawn: the editor has brought every window of its onto the display (asked with SIGUSR1; it
# writes their images then, which the pictures here do not need).
drawn() {
    rm -f "$dir/images/index"
    kill -USR1 "$pid"
    i=0
    until [ -e "$dir/images/index" ]; do
        i=$((i + 1))
        [ $i -le 600 ] || return 1
        sleep 0.1
    done
}
lamp_pixels() { awk '/^lamp/ {print $2}' "$dir/shot.txt"; }
# field PATTERN N: field N of the report's last line that starts with PATTERN.
field() { grep -- "^$1" "$report" | tail -n1 | awk -v n="$2" '{print $n}'; }
# at_least PATTERN N VALUE: field N of that line is a number at least VALUE (read afresh at
# each poll of wait_for).
at_least() { v=$(field "$1" "$2"); [ -n "$v" ] && [ "$v" -ge "$3" ]; }
# act XDOTOOL_ARGS...: one input (a click or a key) given, then waited for until the editor
# has taken it, so that the next input finds the editor done with this one and the report
# read after it is the editor's answer to it (a loaded machine, a sanitizer build). An input
# the editor has not taken after 15 seconds (its window was not yet there to take it) is given
# again: the editor has not seen it, so nothing happens twice.
act() {
    taken=$(field "input " 2)
    for try in 1 2 3; do
        xdotool "$@"
        i=0
        while [ $i -lt 150 ]; do
            at_least "input " 2 $((taken + 1)) && return 0
            i=$((i + 1))
            sleep 0.1
        done
    done
    echo "timed out waiting for: input $* taken"
    return 1
}
click() { act mousemove --sync "$1" "$2" click 1; }
key() { act key "$1"; }
click_at() { click "$(field "$1" "$2")" "$(field "$1" "$3")"; }
count() { grep -c -- "^$1" "$report" || true; }
has_count() { [ "$(count "$1")" -eq "$2" ]; }
start() {
    mkdir -p "$dir/images"
    XDG_CONFIG_HOME="$dir/config" TAVIX_LAYOUT_REPORT="$report" TAVIX_WINDOW_IMAGES="$dir/images" \
        "$tavix" "$@" >>"$dir/tavix.out" 2>&1 &
    pid=$!
    wait_for "the editor listening for SIGUSR1" catches_usr1 "$pid"
}

start
wait_for "main window" has_line "$report" "^documents 0"
wait_for "input count" has_line "$report" "^input "
snap started

# New function block diagram: its properties come first; OK takes the default model.
click_at "button 57600 " 3 4
win=$(window_of "Properties")
snap properties
xdotool windowactivate --sync "$win" key Return
wait_for "new program" has_line "$report" "^view "
snap new

# place TAB TYPE X Y: the block of that palette tab and type clicked into the diagram at X, Y of
# the view; waits for it.
# show_tab N: the palette tab N scrolled into the WorkBox's row with its arrows when it is out.
show_tab() {
    k=0
    until has_line "$report" "^tab $1 "; do
        k=$((k + 1))
        [ $k -le 10 ] || { echo "tab $1 not shown"; return 1; }
        if [ "$1" -lt "$(grep "^tab " "$report" | head -n1 | awk '{print $2}')" ]; then
            click_at "tabarrows " 2 3
        else
            click_at "tabarrows " 4 5
        fi
    done
}
place() {
    before=$(count "block ")
    show_tab "$1"
    click_at "tab $1 " 3 4
    wait_for "palette tab $1" has_line "$report" "^cell $2 "
    click_at "cell $2 " 3 4
    click $(($(field "view " 2) + $3)) $(($(field "view " 3) + $4))
    wait_for "block $2 placed" has_count "block " $((before + 1))
}
place 2 600 100 100
place 2 600 100 200
place 0 300 250 140
place 1 400 400 140
place 2 605 550 140
snap placed

# wire FROM_NUMBER FROM_PIN TO_NUMBER TO_PIN, in connect mode (F5).
n_of() { grep -- "^block [0-9]* $1 " "$report" | sed -n "$2p" | awk '{print $2}'; }
wire() {
    before=$(field "documents " 6)
    click_at "pin $1 $2 " 4 5
    click_at "pin $3 $4 " 4 5
    wait_for "wire $1 to $3" at_least "documents " 6 $((before + 1))
}
i1=$(n_of 600 1)
i2=$(n_of 600 2)
gate=$(n_of 300 1)
timer=$(n_of 400 1)
q=$(n_of 605 1)
key F5
wire "$i1" 10 "$gate" 0
wire "$i2" 10 "$gate" 1
wire "$gate" 10 "$timer" 0
wire "$timer" 10 "$q" 0
key Escape
snap wired

# Simulation (F3): both inputs switched on from the Inputs bar; the output's lamp lights.
key F3
wait_for "simulating" has_line "$report" "simulating 1"
wait_for "inputs bar" has_line "$report" "^input "
wait_for "output lamp" has_line "$report" "^lamp $q "
# The output's lamp is out before the inputs are on.
snap simulating "--lamp=$(field "lamp $q " 3),$(field "lamp $q " 4)"
if [ "$(lamp_pixels)" -ne 0 ]; then
    echo "the output's lamp shows lit before its inputs are on"
    exit 1
fi
for switch in "$i1" "$i2"; do
    click_at "input $switch " 3 4
    wait_for "input $switch on" has_line "$report" "^input $switch .* on 1"
done
wait_for "output on" has_line "$report" "^lamp $q .* on 1"
# The X server shows the lamp lit where the editor reports it.
snap output-on "--lamp=$(field "lamp $q " 3),$(field "lamp $q " 4)"
if [ "$(lamp_pixels)" -lt 10 ]; then
    echo "the X server does not show the output's lamp lit at $(field "lamp $q " 3),$(field "lamp $q " 4)"
    exit 1
fi
key F3
wait_for "simulation ended" has_line "$report" "simulating 0"
kill "$pid"
wait_for "editor ended" gone "$pid"
echo "journey done: $step pictures in $dir"

#!/bin/sh
# One kind of top-level window on the desktop: the check brings the program to show it with real
# X input, then compares what the X server shows inside each of the program's windows with the
# program's own image of it (TAVIX_WINDOW_IMAGES, SIGUSR1): equal but for a few pixels, never
# blank or black. The pictures of both sides stay in WORKDIR.
#   [wm_session.sh [--bare]] desktop_windows_check.sh KIND TAVIX DOCK_DEMO X_WINDOW_COMPARE WORKDIR
# KIND: main (the main frame), mdi (a program's window with its diagram), dialog (a modal
# dialog), sheet (a property sheet), msgbox (a message box), floatbar (a floating bar, in the
# docking demo), menu (an open menu), dropdown (a combo box's open list).
set -e
kind="$1"
tavix="$2"
dock="$3"
compare="$4"
dir="$5/$kind"
. "$(dirname "$0")/desktop_lib.sh"
rm -rf "$dir"
mkdir -p "$dir/config" "$dir/images"
report="$dir/layout.txt"
program="$(dirname "$0")/../fixtures/program_fbd.yfb"
field() { grep -- "^$1" "$report" | tail -n1 | awk -v n="$2" '{print $n}'; }
start() {
    XDG_CONFIG_HOME="$dir/config" TAVIX_LAYOUT_REPORT="$report" TAVIX_WINDOW_IMAGES="$dir/images" \
        "$@" >>"$dir/program.out" 2>&1 &
    pid=$!
    # Asked for its pictures only once it listens: the signal would end it before.
    wait_for "the program listening for SIGUSR1" catches_usr1 "$pid"
}
# windows_shown N: the program lists at least N windows on the display in a fresh index of its
# images (asked for with SIGUSR1).
windows_shown() {
    rm -f "$dir/images/index"
    kill -USR1 "$pid"
    wait_for "the program's window images" test -e "$dir/images/index"
    [ "$(wc -l <"$dir/images/index")" -ge "$1" ]
}
# compare_once [X Y W H]: every window in the index against the X server; the rectangle (screen
# coordinates) limits the comparison of the window that holds it.
compare_once() {
    ok=0
    while read -r xid width height; do
        if [ $# -eq 4 ]; then
            origin=$(xwininfo -id "$xid" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {print x, $4}')
            set -- $(($1 - ${origin% *})) $(($2 - ${origin#* })) "$3" "$4"
        fi
        "$compare" "$xid" "$dir/images/$xid.png" "$dir/shown-$xid.png" "$@" >>"$dir/compare.out" || ok=1
    done <"$dir/images/index"
    return $ok
}
# check_windows N [X Y W H]: waits until the program shows N windows, then compares them all; a
# comparison that fails is tried on new pictures twice more (something may have been drawn
# between the program's picture and the server's), and then fails the check.
check_windows() {
    want="$1"
    shift
    wait_for "$want windows shown" windows_shown "$want"
    for try in 1 2 3; do
        echo "try $try" >>"$dir/compare.out"
        compare_once "$@" && { cat "$dir/compare.out"; return 0; }
        windows_shown "$want"
    done
    cat "$dir/compare.out"
    echo "$kind: the X server does not show the program's windows as the program drew them"
    return 1
}

# focus WINDOW: the window gets the keyboard, from the window manager when there is one.
focus() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"; }
# Searched again when xdotool ends on a window destroyed under it (see window_of).
main_window() {
    while :; do
        w=$(xdotool search --sync --onlyvisible --pid "$pid" --name "Editor" 2>/dev/null | head -n1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.1
    done
}
case "$kind" in
main)
    start "$tavix"
    wait_for "main window" has_line "$report" "^documents 0"
    check_windows 1
    ;;
mdi)
    start "$tavix" "$program"
    wait_for "diagram" has_line "$report" "^block "
    check_windows 1
    # The diagram's part alone: the view with its blocks.
    check_windows 1 $(field "view " 2) $(field "view " 3) $(field "view " 4) $(field "view " 5)
    ;;
dialog)
    # Help > About, from the keyboard.
    start "$tavix"
    wait_for "main window" has_line "$report" "^documents 0"
    focus "$(main_window)"
    xdotool key alt+h
    wait_for "Help menu" windows_shown 2
    xdotool key a
    window_of "About .*" >/dev/null
    check_windows 2
    ;;
sheet)
    # A new program's Properties, opened from the toolbar.
    start "$tavix"
    wait_for "main window" has_line "$report" "^button 57600 "
    xdotool mousemove --sync "$(field "button 57600 " 3)" "$(field "button 57600 " 4)" click 1
    window_of "Properties" >/dev/null
    check_windows 2
    ;;
msgbox)
    # A program that cannot be opened: the message box tells why.
    start "$tavix" "$dir/missing/program.yfb"
    check_windows 1
    ;;
floatbar)
    start "$dock" --report
    wait_for "floating bar" has_line "$dir/program.out" "^bar: floating"
    check_windows 2
    ;;
menu)
    start "$tavix"
    wait_for "main window" has_line "$report" "^documents 0"
    focus "$(main_window)"
    xdotool key alt+f
    check_windows 2
    ;;
dropdown)
    # The output block's sheet (opened with a double click) has its module in a combo box at the
    # top of its page (its arrow 252,59 in the sheet); a click there opens the list.
    start "$tavix" "$program"
    wait_for "diagram" has_line "$report" "^block "
    xdotool mousemove --sync "$(field "block " 4)" "$(field "block " 5)" click --repeat 2 1
    sheet=$(window_of "Q000 \\[Output\\]")
    wait_for "the block's sheet" windows_shown 2
    xdotool mousemove --window "$sheet" --sync 252 59 click 1
    check_windows 3
    ;;
*)
    echo "unknown kind $kind"
    exit 2
    ;;
esac
kill "$pid"
wait_for "program ended" gone "$pid"
echo "$kind: the X server shows what the program drew"

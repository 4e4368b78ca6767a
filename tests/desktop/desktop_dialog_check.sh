#!/bin/sh
# A centred dialog on a desktop with a window manager, twenty times: it lands centred on the
# screen, carries the window manager's frame and its own title (English and Chinese, read back
# from the window's properties), and the program ends when the window manager closes it or when
# another program destroys its window.
#   wm_session.sh desktop_dialog_check.sh DEMO WORKDIR
set -e
demo="$1"
dir="$2"
. "$(dirname "$0")/desktop_lib.sh"
mkdir -p "$dir"
screen_w=$(xwininfo -root | awk '/Width:/ {print $2}')
screen_h=$(xwininfo -root | awk '/Height:/ {print $2}')
run=1
while [ $run -le 20 ]; do
    if [ $((run % 2)) -eq 0 ]; then title="模块属性 $run"; else title="Block properties $run"; fi
    "$demo" --report --title="$title" >"$dir/dialog.out" 2>"$dir/dialog.err" &
    pid=$!
    win=$(window_of "$title")
    wait_for "dialog shown" has_line "$dir/dialog.out" "^edit 101 at"
    # Centred: the middle of the dialog is the middle of the screen.
    geometry=$(xwininfo -id "$win")
    x=$(echo "$geometry" | awk '/Absolute upper-left X:/ {print $4}')
    y=$(echo "$geometry" | awk '/Absolute upper-left Y:/ {print $4}')
    w=$(echo "$geometry" | awk '/Width:/ {print $2}')
    h=$(echo "$geometry" | awk '/Height:/ {print $2}')
    dx=$((x + w / 2 - screen_w / 2))
    dy=$((y + h / 2 - screen_h / 2))
    if [ ${dx#-} -gt 2 ] || [ ${dy#-} -gt 2 ]; then
        echo "run $run: dialog at $x,$y size ${w}x$h is not centred"
        exit 1
    fi
    # The title, as window lists and task bars read it, and the window manager's frame.
    xprop -id "$win" _NET_WM_NAME | grep -qF "= \"$title\""
    xprop -id "$win" WM_NAME | grep -qF "= \"$title\""
    xprop -id "$win" _NET_FRAME_EXTENTS | grep -Eq '= [0-9]+, [0-9]+, [1-9]'
    # Closed by the window manager, or destroyed by another program: either way the program ends.
    if [ $((run % 2)) -eq 0 ]; then
        xdotool windowactivate --sync "$win" key alt+F4
    else
        xdotool windowclose "$win"
    fi
    wait_for "program ended (run $run)" gone $pid
    wait $pid || { echo "run $run: exit status $?"; exit 1; }
    # Either way GTK and GDK have nothing to complain about.
    if grep -E "CRITICAL|WARNING" "$dir/dialog.err"; then
        echo "run $run: GTK complained"
        exit 1
    fi
    run=$((run + 1))
done
echo "20 of 20 centred, titled and closed"

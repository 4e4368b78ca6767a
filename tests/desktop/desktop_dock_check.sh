#!/bin/sh
# The docking demo on a desktop with a window manager: the frame paints, its floating bar docks
# when dragged onto the frame, floats again on a double click, closes with its close box, the
# program stays idle meanwhile; maximising goes through the window manager, and the program ends
# when the window manager closes the frame.
#   wm_session.sh desktop_dock_check.sh DEMO WORKDIR
set -e
demo="$1"
dir="$2"
. "$(dirname "$0")/desktop_lib.sh"
mkdir -p "$dir"
out="$dir/dock.out"
rm -f "$out" "$dir/dock.png"
"$demo" --report --screenshot="$dir/dock.png" >"$out" 2>"$dir/dock.err" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
frame=$(window_of "Docking demo")
wait_for "first paint" has_line "$out" "^painted"
wait_for "floating bar" has_line "$out" "^bar: floating"
# The frame is painted (bars, view, frame: many colours), framed by the window manager.
"$demo" --count-colours="$dir/dock.png"
xprop -id "$frame" _NET_FRAME_EXTENTS | grep -Eq '= [0-9]+, [0-9]+, [1-9]'
# Idle means idle: no storm of configure events burning the processor.
idle() {
    t0=$(cpu_ticks $pid)
    sleep 2
    t1=$(cpu_ticks $pid)
    echo "processor ticks in 2 s: $((t1 - t0))"
    [ $((t1 - t0)) -lt 60 ]
}
idle
bar=$(window_of "Floating")
xwininfo -id "$bar" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {exit !(w > 50 && h > 30)}'

# Dock: drag the floating bar by its caption onto the frame's top edge.
set -- $(last_line "$out" "^bar: floating")
xdotool mousemove --window "$bar" "$4" "$5" mousedown 1 mousemove_relative 5 5 sleep 0.2 \
    mousemove --window "$frame" 300 8 sleep 0.2 mousemove --window "$frame" 302 6 sleep 0.3 mouseup 1
wait_for "bar docked" has_line "$out" "^bar: docked"

# Float: double-click the docked bar.
set -- $(last_line "$out" "^bar: docked")
xdotool mousemove --window "$frame" "$4" "$5" sleep 0.2 click --repeat 2 --delay 60 1
wait_for "bar floating again" sh -c "tail -n1 '$out' | grep -q '^bar: floating'"

# Close: the close box of the floating bar's caption.
bar=$(window_of "Floating")
set -- $(last_line "$out" "^bar: floating")
xdotool mousemove --window "$bar" "$7" "$8" sleep 0.2 click 1
wait_for "bar hidden" has_line "$out" "^bar: hidden"
idle

# Maximised and restored by the window manager (a double click on its title bar): the program
# knows the state and the size.
wait_for "frame size" has_line "$out" "^frame: 640 480 normal"
x=$(xwininfo -id "$frame" | awk '/Absolute upper-left X:/ {print $4}')
y=$(xwininfo -id "$frame" | awk '/Absolute upper-left Y:/ {print $4}')
xdotool mousemove $((x + 200)) $((y - 8)) sleep 0.2 click --repeat 2 --delay 60 1
wait_for "frame maximized" has_line "$out" "^frame: .* maximized"
xprop -id "$frame" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ
xdotool mousemove $((x + 200)) 8 sleep 0.2 click --repeat 2 --delay 60 1
wait_for "frame restored" sh -c "grep '^frame:' '$out' | tail -n1 | grep -q '^frame: 640 480 normal'"
idle

# The window manager's close ends the program.
xdotool windowactivate --sync "$frame" key alt+F4
wait_for "program ended" gone $pid
wait $pid

# Maximised by the program: through the window manager, which then knows the state.
"$demo" --report --maximize >"$out" 2>>"$dir/dock.err" &
pid=$!
frame=$(window_of "Docking demo")
wait_for "frame maximized" has_line "$out" "^frame: .* maximized"
xprop -id "$frame" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ
xdotool windowactivate --sync "$frame" key alt+F4
wait_for "program ended" gone $pid
wait $pid

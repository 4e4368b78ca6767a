#!/bin/sh
# Copy and paste between the program's edits and another program (xclip) through the desktop's
# CLIPBOARD and PRIMARY selections, Chinese text included; a clipboard owner that does not
# answer holds a paste up for two seconds at most.
#   wm_session.sh desktop_clipboard_check.sh DEMO WORKDIR
set -e
demo="$1"
dir="$2"
. "$(dirname "$0")/desktop_lib.sh"
mkdir -p "$dir"
out="$dir/clipboard.out"
"$demo" --report --field="复制ab" --title="Clipboard" >"$out" 2>"$dir/clipboard.err" &
pid=$!
owner=""
trap 'kill $pid $owner 2>/dev/null || true' EXIT
win=$(window_of "Clipboard")
wait_for "dialog shown" has_line "$out" "^edit 103 at"
set -- $(last_line "$out" "^edit 101 at")
name_x=$4 name_y=$5
set -- $(last_line "$out" "^edit 103 at")
value_x=$4 value_y=$5
selection_is() { [ "$(xclip -o -selection "$1")" = "$2" ]; }
xdotool windowactivate --sync "$win"

# Out: selecting takes PRIMARY, Ctrl+C fills CLIPBOARD.
xdotool mousemove --window "$win" "$name_x" "$name_y" click 1 key Home shift+End
wait_for "PRIMARY from the selection" selection_is primary "复制ab"
xdotool key ctrl+c
wait_for "CLIPBOARD from Ctrl+C" selection_is clipboard "复制ab"

# In: Ctrl+V pastes CLIPBOARD, the middle button pastes PRIMARY where it is clicked.
# xclip takes a selection in the background: each paste waits until it owns it (on a loaded
# machine the paste could otherwise come first and get the selection's earlier text).
printf '粘贴in' | xclip -i -selection clipboard
wait_for "xclip owns CLIPBOARD" selection_is clipboard "粘贴in"
xdotool key Home shift+End ctrl+v
wait_for "CLIPBOARD pasted" has_line "$out" "^edit 101: 粘贴in$"
printf '中' | xclip -i -selection primary
wait_for "xclip owns PRIMARY" selection_is primary "中"
xdotool mousemove --window "$win" "$value_x" "$value_y" click 2
wait_for "PRIMARY pasted" has_line "$out" "^edit 103: .*中"

# An owner that is stopped: the paste gives up quickly, the program goes on.
printf 'stuck' | xclip -quiet -i -selection clipboard >/dev/null 2>&1 &
owner=$!
wait_for "xclip owns CLIPBOARD" selection_is clipboard "stuck"
kill -STOP $owner
xdotool mousemove --window "$win" "$name_x" "$name_y" click 1 key End ctrl+v type z
wait_for "typing after the paste" has_line "$out" "^edit 101: .*z$"
kill -CONT $owner
kill $owner
slowest=$(grep '^key-ms:' "$out" | awk 'BEGIN {m = 0} $2 > m {m = $2} END {print m}')
echo "slowest key: $slowest ms"
[ "$slowest" -le 2000 ]
xdotool windowclose "$win"
wait_for "program ended" gone $pid
wait $pid

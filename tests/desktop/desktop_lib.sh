# Helpers of the desktop checks (sourced; they run inside wm_session.sh).

# wait_for DESCRIPTION COMMAND...: polls the command until it succeeds, 60 seconds at most.
wait_for() {
    what="$1"
    shift
    n=0
    until "$@" >/dev/null 2>&1; do
        n=$((n + 1))
        if [ $n -gt 600 ]; then
            echo "timed out waiting for: $what"
            return 1
        fi
        sleep 0.1
    done
}

# has_line FILE PATTERN: the file has a line matching the (grep) pattern.
has_line() { grep -q -- "$2" "$1"; }

# last_line FILE PATTERN: the last line matching the pattern.
last_line() { grep -- "$2" "$1" | tail -n1; }

# cpu_ticks PID: the process's user and system time so far, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# window_of NAME: the visible window of that exact title (waits for it).
# xdotool ends at once (Xlib's default error handler) when a window it walks past is destroyed
# meanwhile, a menu closing for example: the search is made again until it names a window.
window_of() {
    while :; do
        w=$(xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.1
    done
}

# gone PID: the process has ended.
gone() { ! kill -0 "$1" 2>/dev/null; }

# catches_usr1 PID: the process has a handler for SIGUSR1 (bit 10 of its caught signals).
catches_usr1() {
    mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$1/status")
    [ -n "$mask" ] && [ $((0x$mask & 0x200)) -ne 0 ]
}

#!/usr/bin/env bash
# The real reader's processor use in a window under Xvfb: on the contents screen (its walking
# figure), on a still page, and while pages turn; one core's percent over 10 s of wall time.
#
# Usage: bash bench/window_cpu.sh READER BOOK [RUNS]
# Prints one line: contents_cpu_percent=X idle_cpu_percent=Y turn_cpu_percent=Z, each the median
# of RUNS (3 by default) windows of 10 s. The figure is the process's user + system time (from
# /proc/PID/stat) over the window's wall time. Exits 77 when Xvfb or its tools are missing.
set -u
[ $# -ge 2 ] || { echo "usage: bash bench/window_cpu.sh READER BOOK [RUNS]" >&2; exit 2; }
READER=$1 BOOK=$2 RUNS=${3:-3}
OUT=$(mktemp -d /tmp/quirel-window-cpu.XXXXXX)
. "$(dirname "$0")/../tests/realwindow/lib.sh"
need_tools
[ -f "$BOOK/String.xml" ] || { echo "window_cpu: no book in $BOOK" >&2; exit 1; }
cp -r "$BOOK" "$OUT/book"
start_display >&2
trap 'cleanup; rm -rf "$OUT"' EXIT
start_app "quirel" "$READER" "$OUT/book" >&2

ticks() {  # user + system clock ticks of the reader so far
    awk '{ print $14 + $15 }' "/proc/$APP_PID/stat"
}
hz=$(getconf CLK_TCK)
window() {  # window SECONDS: percent of one core the reader used over that much wall time
    local t0 t1 w0 w1
    t0=$(ticks)
    w0=$(date +%s.%N)
    sleep "$1"
    t1=$(ticks)
    w1=$(date +%s.%N)
    awk -v d="$((t1 - t0))" -v hz="$hz" -v w="$(awk -v a="$w0" -v b="$w1" 'BEGIN { print b - a }')" \
        'BEGIN { printf "%.2f", 100 * d / hz / w }'
}
median() {  # median of the numbers given
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

sleep 2  # the contents screen's entrance settles
contents=()
for _ in $(seq "$RUNS"); do contents+=("$(window 10)"); done

click 300 660 2.8 # "Unit 3"; its list flies in
click 320 860 3   # its first entry: page 26, opened without reading aloud
idle=()
for _ in $(seq "$RUNS"); do idle+=("$(window 10)"); done

# Pages turned back and forth by swipes on the margin for as long as each window lasts.
turns() {
    while :; do
        drag 420 250 250 250 >/dev/null
        drag 250 250 420 250 >/dev/null
    done
}
turn=()
for _ in $(seq "$RUNS"); do
    turns &
    swiper=$!
    sleep 1
    turn+=("$(window 10)")
    kill "$swiper" 2>/dev/null
    wait "$swiper" 2>/dev/null
    sleep 1.5
done
kill -0 "$APP_PID" 2>/dev/null || { cat "$OUT/app.log" >&2; fail "the reader ended during the measurement"; }
echo "contents_cpu_percent=$(median "${contents[@]}") idle_cpu_percent=$(median "${idle[@]}") turn_cpu_percent=$(median "${turn[@]}")"
echo "window_cpu: runs: contents ${contents[*]}; idle ${idle[*]}; turns ${turn[*]}" >&2

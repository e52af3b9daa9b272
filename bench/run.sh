#!/usr/bin/env bash
# The benchmark page's one command: builds Release, runs every benchmark and the same page in headless Chromium, prints a table and a JSON line.
#
# Usage: bash bench/run.sh [--soak]
#   --soak  also runs the 8-simulated-hour soak (about 3 minutes), prints its memory series and
#           plots it to build-bench/soak-memory.png.
# Figures are medians (5 runs where cheap). The last line of output is one JSON object.
#
# How the Chromium side is measured (all in headless Chromium, fresh profile per run, pages served
# as file:// URLs; the HTML is written by bench/page_html.sh from the same book page):
#   first paint   the page's own "first-contentful-paint" entry (ms from navigation start) for
#                 page 26 opened in a new tab of a running browser (DevTools HTTP endpoint
#                 PUT /json/new); the page writes it into its title, read back via /json/list.
#   navigation    page 26 sets location.href to page 27 with the wall-clock moment in the URL;
#                 page 27 reports (its first contentful paint) - (that moment).
#   memory        sum of VmRSS of the browser process and all its descendants while page 26 is
#                 the only page shown (shared pages are counted once per process, as RSS does;
#                 the sum of PSS is printed beside it).
# The processor figures are the real reader in a window under Xvfb (bench/window_cpu.sh): the
# contents screen, a still page and page turns, 10 s each, medians of 3.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-bench
soak=0
for a in "$@"; do
    case $a in
        --soak) soak=1 ;;
        *) echo "usage: bash bench/run.sh [--soak]" >&2; exit 2 ;;
    esac
done

# --- tools: installed by scripts/setup.sh --bench ------------------------------------------------
missing=()
for tool in jq curl chromium; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "bench: missing ${missing[*]}; install them with: bash scripts/setup.sh --bench" >&2
    exit 1
fi

work=$(mktemp -d /tmp/quirel-bench.XXXXXX)
chrome_pid=""
cleanup() {
    [ -n "$chrome_pid" ] && stop_chromium
    rm -rf "$work"
}
trap cleanup EXIT

# --- build -------------------------------------------------------------------------------------
echo "bench: building Release into $build" >&2
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUIREL_TESTS=OFF &&
       cmake --build "$build" -j2; } >"$work/build.log" 2>&1; then
    tail -40 "$work/build.log" >&2
    echo "bench: build failed" >&2
    exit 1
fi
book=$build/book
[ -f "$book/String.xml" ] || { echo "bench: no sample book in $book" >&2; exit 1; }

# --- our benchmarks ----------------------------------------------------------------------------
gb() {  # gb NAME [ARGS...]: runs build-bench/bench/bench_NAME, JSON into $work/NAME.json
    local name=$1
    shift
    echo "bench: bench_$name" >&2
    "$build/bench/bench_$name" --benchmark_format=json --benchmark_out="$work/$name.json" \
        --benchmark_out_format=json "$@" >/dev/null 2>"$work/$name.err" ||
        { cat "$work/$name.err" >&2; echo "bench: bench_$name failed" >&2; exit 1; }
}
reps=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
gb startup
gb reader
gb render "${reps[@]}"
gb transitions "${reps[@]}" --benchmark_filter='BM_StillPage|BM_PageTurnForward'
QUIREL_BOOK_DIR=$book gb layout "${reps[@]}" --benchmark_filter='BM_Read'
gb stretch "${reps[@]}"

# The median entry of a benchmark (or its only entry); a time in ms, or a counter as it stands.
ms() {  # ms FILE BENCHMARK
    jq -r --arg n "$2" '[.benchmarks[] | select(((.run_name // .name) | gsub("/(repeats|iterations):[0-9]+"; "")) == $n and (.aggregate_name // "median") == "median")][0]
        | if . == null then "null" else .real_time * ({"ns": 1e-6, "us": 1e-3, "ms": 1, "s": 1000}[.time_unit]) end' "$work/$1.json"
}
counter() {  # counter FILE BENCHMARK COUNTER
    jq -r --arg n "$2" --arg c "$3" '[.benchmarks[] | select(((.run_name // .name) | gsub("/(repeats|iterations):[0-9]+"; "")) == $n and (.aggregate_name // "median") == "median")][0][$c] // "null"' "$work/$1.json"
}
calc() { awk "BEGIN { v = $1; printf \"%.${2:-3}f\", v }"; }

startup_ms=$(ms startup BM_LaunchToFirstFrame)
process_ms=$(ms startup BM_ProcessStartToExit)
warm_ms=$(ms reader BM_PageBuildWarm)
cold_ms=$(ms reader BM_PageBuildCold)
jump_ms=$(ms reader BM_PageBuildJump)
turn_fps=$(counter reader BM_PageTurnFrame fps)
peak_mb=$(counter reader BM_ReadThroughPeakMemory peak_rss_mb)
idle_frame_ms=$(calc "$(ms transitions BM_StillPage) / 30" 4)   # an iteration is 30 frames
synthetic_turn_fps=$(counter transitions BM_PageTurnForward fps)
frame1000_ms=$(ms render BM_SoftwareFrameOf1000SheetSprites)
walk_ms=$(ms render BM_PageWalkThroughCountingRenderer)
layout_ms=$(ms layout BM_ReadSamplePage3)
layout_note="sample page 3"
if [ "$layout_ms" = null ]; then layout_ms=$(ms layout BM_ReadTypicalPage); layout_note="typical page"; fi
layout1000_ms=$(ms layout BM_Read1000Widgets)
# Processor seconds per second of narration heard, at half speed and at one and a half.
stretch_slow=$(counter stretch BM_StretchHalfSpeed cpu_fraction)
stretch_fast=$(counter stretch BM_StretchOneAndAHalf cpu_fraction)

# --- the real reader in a window ----------------------------------------------------------------
echo "bench: the reader in a window under Xvfb, processor use" >&2
idle_cpu=null contents_cpu=null turn_cpu=null
if cpu_line=$(bash "$root/bench/window_cpu.sh" "$build/quirel" "$book" 3 2>"$work/window_cpu.err"); then
    idle_cpu=$(sed -n 's/.*idle_cpu_percent=\([^ ]*\).*/\1/p' <<<"$cpu_line")
    contents_cpu=$(sed -n 's/.*contents_cpu_percent=\([^ ]*\).*/\1/p' <<<"$cpu_line")
    turn_cpu=$(sed -n 's/.*turn_cpu_percent=\([^ ]*\).*/\1/p' <<<"$cpu_line")
else
    echo "bench: no window measurement (see below); its figures are left out" >&2
    tail -5 "$work/window_cpu.err" >&2
fi

# --- making a book -----------------------------------------------------------------------------
echo "bench: quirel-make, 30 pages from scratch and unchanged" >&2
make_line=$(bash "$root/bench/make_book.sh" "$build" 3 "$work/made-book")
make_scratch_s=$(sed -n 's/.*make_scratch_s=\([^ ]*\).*/\1/p' <<<"$make_line")
make_unchanged_s=$(sed -n 's/.*make_unchanged_s=\([^ ]*\).*/\1/p' <<<"$make_line")

# --- sharing a book as EPUB ----------------------------------------------------------------------
echo "bench: quirel-epub, the same 30 pages" >&2
epub_line=$(bash "$root/bench/epub_book.sh" "$build" 5 "$work/made-book")
epub_export_s=$(sed -n 's/.*epub_export_s=\([^ ]*\).*/\1/p' <<<"$epub_line")
epub_import_s=$(sed -n 's/.*epub_import_s=\([^ ]*\).*/\1/p' <<<"$epub_line")

# --- headless Chromium -------------------------------------------------------------------------
html=$work/html
bash "$root/bench/page_html.sh" "$book" 26 "$html" 27 >/dev/null
bash "$root/bench/page_html.sh" "$book" 27 "$html" >/dev/null
port=$((9300 + RANDOM % 500))

descendants() {  # the process and all its descendants
    local p
    echo "$1"
    for p in $(pgrep -P "$1" 2>/dev/null); do descendants "$p"; done
}
start_chromium() {  # start_chromium URL
    chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile.$RANDOM$RANDOM" --remote-debugging-port="$port" \
        --window-size=640,960 "$1" >>"$work/chromium.log" 2>&1 &
    chrome_pid=$!
}
stop_chromium() {
    local procs p
    procs=$(descendants "$chrome_pid")
    kill "$chrome_pid" 2>/dev/null || true
    wait "$chrome_pid" 2>/dev/null || true
    for p in $procs; do kill "$p" 2>/dev/null || true; done
    chrome_pid=""
}
title_of() {  # title_of URL-PATTERN: titles of pages whose URL contains the pattern
    curl -s "http://127.0.0.1:$port/json/list" 2>/dev/null |
        jq -r --arg u "$1" '.[] | select(.type == "page" and (.url | contains($u))) | .title' 2>/dev/null || true
}
wait_title() {  # wait_title URL-PATTERN PREFIX: the first title seen with that prefix (10 s at most)
    local i t
    for i in $(seq 1 1000); do
        t=$(title_of "$1" | grep -m1 "^$2" || true)
        [ -n "$t" ] && { echo "${t#*=}"; return 0; }
        sleep 0.01
    done
    echo null
}
sum_status() {  # sum_status FIELD: a /proc field summed over the browser's processes, in MB
    local p total=0 kb
    for p in $(descendants "$chrome_pid"); do
        kb=$(awk -v f="$1:" '$1 == f { print $2 }' "/proc/$p/status" "/proc/$p/smaps_rollup" 2>/dev/null | head -1)
        total=$((total + ${kb:-0}))
    done
    calc "$total / 1024" 1
}

echo "bench: headless Chromium, 5 runs" >&2
: >"$work/chromium.tsv"
for run in 1 2 3 4 5; do
    start_chromium "file://$html/page_26.html"
    cold_fcp=$(wait_title page_26.html "fcp=\|raf=")
    sleep 1  # let the page and the browser settle before sampling memory
    rss=$(sum_status VmRSS)
    pss=$(sum_status Pss)
    curl -s -X PUT "http://127.0.0.1:$port/json/new?file://$html/page_26.html%23go" >/dev/null
    warm_fcp=$(wait_title 'page_26.html#go' "fcp=\|raf=")
    nav=$(wait_title page_27.html "nav=")
    stop_chromium
    printf '%s\t%s\t%s\t%s\t%s\n' "$cold_fcp" "$warm_fcp" "$nav" "$rss" "$pss" >>"$work/chromium.tsv"
done
median() {  # median COLUMN of chromium.tsv (null values left out)
    awk -F'\t' -v c="$1" '$c != "null" && $c != "" { print $c }' "$work/chromium.tsv" | sort -g |
        awk '{ v[NR] = $1 } END { if (NR == 0) print "null"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
c_cold_fcp=$(median 1)
c_fcp=$(median 2)
c_nav=$(median 3)
c_rss=$(median 4)
c_pss=$(median 5)

# --- soak (on request) -------------------------------------------------------------------------
if [ "$soak" = 1 ]; then
    echo "bench: soak, 8 simulated hours" >&2
    "$build/bench/bench_soak" --hours 8 --book "$book" --png "$build/soak-memory.png" | tee "$work/soak.txt"
fi

# --- report ------------------------------------------------------------------------------------
f() { [ "$1" = null ] && echo "n/a" || calc "$1" "${2:-2}"; }
ratio() { { [ "$1" = null ] || [ "$2" = null ]; } && echo "n/a" || calc "$1 / $2" "${3:-1}"; }
echo
echo "quirel (Release, software renderer, headless host) vs headless Chromium $(chromium --version 2>/dev/null | awk '{ print $2 }'), same page (book pages 26 -> 27)"
echo
printf '| %-44s | %12s | %12s |\n' "measure" "quirel" "Chromium"
printf '|%s|%s|%s|\n' "----------------------------------------------" "--------------" "--------------"
row() { printf '| %-44s | %12s | %12s |\n' "$1" "$2" "$3"; }
row "start-up to first frame, in process (ms)" "$(f "$startup_ms")" ""
row "start-up to exit, whole process (ms)" "$(f "$process_ms")" ""
row "page build, cold (ms) / first paint (ms)" "$(f "$cold_ms")" "$(f "$c_fcp" 1)"
row "page build, cold, from the contents (ms)" "$(f "$jump_ms")" ""
row "first paint, browser just started (ms)" "" "$(f "$c_cold_fcp" 1)"
row "page build, warm (ms) / navigation (ms)" "$(f "$warm_ms")" "$(f "$c_nav" 1)"
row "idle frame (ms)" "$(f "$idle_frame_ms" 3)" ""
row "idle frames per second" "$(f "$(calc "1000 / $idle_frame_ms" 1)" 0)" ""
row "processor, still page in a window (% of a core)" "$(f "$idle_cpu" 1)" ""
row "processor, contents screen in a window (%)" "$(f "$contents_cpu" 1)" ""
row "processor, turning pages in a window (%)" "$(f "$turn_cpu" 1)" ""
row "page turn, frames per second (real pages)" "$(f "$turn_fps" 0)" ""
row "page turn, fps (two synthetic pages)" "$(f "$synthetic_turn_fps" 0)" ""
row "1,000-sprite software frame (ms)" "$(f "$frame1000_ms")" ""
row "typical page draw walk (ms)" "$(f "$walk_ms" 4)" ""
row "layout file read, $layout_note (ms)" "$(f "$layout_ms" 3)" ""
row "layout files per second" "$(f "$(calc "1000 / $layout_ms" 1)" 0)" ""
row "1,000-widget layout file read (ms)" "$(f "$layout1000_ms")" ""
row "narration stretching at 0.5x (% of real time)" "$(f "$(calc "$stretch_slow * 100" 3)" 2)" ""
row "narration stretching at 1.5x (% of real time)" "$(f "$(calc "$stretch_fast * 100" 3)" 2)" ""
row "quirel-make, 30 pages from scratch (s)" "$(f "$make_scratch_s" 1)" ""
row "quirel-make, 30 pages unchanged (s)" "$(f "$make_unchanged_s" 2)" ""
row "quirel-epub export, 30 pages (s)" "$(f "$epub_export_s" 2)" ""
row "quirel-epub import, 30 pages (s)" "$(f "$epub_import_s" 2)" ""
row "peak memory of a read-through (MB, RSS)" "$(f "$peak_mb" 1)" ""
row "memory showing the page (MB, RSS sum)" "" "$(f "$c_rss" 1)"
row "memory showing the page (MB, PSS sum)" "" "$(f "$c_pss" 1)"
echo
echo "Chromium navigation / our warm page build: $(ratio "$c_nav" "$warm_ms") x (target >= 10)"
echo "Chromium first paint / our cold page build: $(ratio "$c_fcp" "$cold_ms") x"
echo "our read-through peak / Chromium RSS sum: $(ratio "$peak_mb" "$c_rss" 2) (target <= 0.2); / Chromium PSS sum: $(ratio "$peak_mb" "$c_pss" 2)"
echo
jq -cn --arg a "$startup_ms" --arg b "$warm_ms" --arg c "$cold_ms" --arg d "$idle_frame_ms" \
    --arg e "$turn_fps" --arg g "$layout_ms" --arg h "$peak_mb" --arg i "$c_fcp" --arg j "$c_nav" --arg k "$c_rss" \
    --arg l "$make_scratch_s" --arg m "$make_unchanged_s" --arg o "$epub_export_s" --arg q "$epub_import_s" \
    --arg r "$idle_cpu" --arg s "$contents_cpu" --arg t "$turn_cpu" \
    --arg u "$stretch_slow" --arg v "$stretch_fast" --arg w "$jump_ms" '
    def n: if . == "null" then null else tonumber end;
    {startup_ms: ($a|n), page_build_warm_ms: ($b|n), page_build_cold_ms: ($c|n), page_build_jump_ms: ($w|n), idle_frame_ms: ($d|n),
     page_turn_fps: ($e|n), layout_file_ms: ($g|n), read_through_peak_mb: ($h|n),
     chromium_first_paint_ms: ($i|n), chromium_navigation_ms: ($j|n), chromium_rss_mb: ($k|n),
     make_scratch_s: ($l|n), make_unchanged_s: ($m|n), epub_export_s: ($o|n), epub_import_s: ($q|n),
     idle_cpu_percent: ($r|n), contents_cpu_percent: ($s|n), turn_cpu_percent: ($t|n),
     stretch_cpu_fraction_half_speed: ($u|n), stretch_cpu_fraction_one_and_a_half: ($v|n)}'

#!/usr/bin/env bash
# The reader's start-up where it cannot simply open: no display (exit 2 and one sentence that
# points to quirel-drive), a folder that is not a book (exit 2 naming what is missing), and the
# installed reader on its installed book made read-only, whose first-run marker must then go to
# the user's state folder ($XDG_STATE_HOME/quirel/), not be lost, so the drag hint shows once.
set -u
READER=$1 BOOK=$2 PREFIX=$3 OUT=$4
mkdir -p "$OUT"
. "$(dirname "$0")/lib.sh"
[ -f "$BOOK/String.xml" ] || skip "the sample book has not been generated"

# No display at all: neither X nor Wayland to reach.
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$OUT" \
  "$READER" "$BOOK" >"$OUT/nodisplay.out" 2>"$OUT/nodisplay.err"
rc=$?
[ $rc -eq 2 ] || fail "without a display the reader exited with $rc, not 2"
[ "$(wc -l <"$OUT/nodisplay.err")" -eq 1 ] || fail "without a display the reader said more than one line: $(cat "$OUT/nodisplay.err")"
grep -q "^quirel: no display found.*quirel-drive" "$OUT/nodisplay.err" ||
  fail "without a display the reader said: $(cat "$OUT/nodisplay.err")"

# An empty folder: both what every book has are named, and the checker for the details.
rm -rf "$OUT/empty" && mkdir -p "$OUT/empty"
"$READER" "$OUT/empty" >/dev/null 2>"$OUT/empty.err"
rc=$?
[ $rc -eq 2 ] || fail "on an empty folder the reader exited with $rc, not 2"
for words in "no page files" "no string tables" "quirel-check"; do
  grep -q "$words" "$OUT/empty.err" || fail "on an empty folder the reader did not say '$words': $(cat "$OUT/empty.err")"
done
# Pages without string tables: only the tables are missing.
mkdir -p "$OUT/empty/tomeset" && cp "$BOOK/tomeset/tomeset_1.json" "$OUT/empty/tomeset/"
"$READER" "$OUT/empty" >/dev/null 2>"$OUT/tables.err"
rc=$?
[ $rc -eq 2 ] || fail "on a folder of pages alone the reader exited with $rc, not 2"
grep -q "no page files" "$OUT/tables.err" && fail "the page files were said to be missing: $(cat "$OUT/tables.err")"
grep -q "no string tables" "$OUT/tables.err" || fail "the missing string tables went unnamed: $(cat "$OUT/tables.err")"

# The installed reader, started without a book, on its installed book made read-only.
. "$(dirname "$0")/../realwindow/lib.sh"
need_tools
INSTALLED="$PREFIX/share/quirel/book"
[ -x "$PREFIX/bin/quirel" ] && [ -f "$INSTALLED/String.xml" ] || fail "no installed reader in $PREFIX (the install test sets it up)"
rm -f "$INSTALLED/ft.xml"
rm -rf "$OUT/state" && mkdir -p "$OUT/state" && chmod 1777 "$OUT/state"
export XDG_STATE_HOME="$OUT/state" SDL_AUDIODRIVER=dummy
# In a user namespace the session bus library that SDL's window start-up loads cannot reach its
# bus and keeps what it allocated until exit; under the sanitizers that would read as our leak.
# The other real-window runs of the reader keep the leak check.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
start_display
run_readonly "$INSTALLED" "$PREFIX/bin/quirel" >"$OUT/app.log" 2>&1 &
RUN_PID=$!
WID=$(timeout 20 xdotool search --sync --onlyvisible --name '^quirel$' | head -n 1)
[ -n "$WID" ] || { wait $RUN_PID; rc=$?; [ $rc -eq 90 ] && skip "no way to make a folder read-only for root here"; cat "$OUT/app.log"; fail "no reader window appeared"; }
APP_PID=$(xdotool getwindowpid "$WID")
# The marker is written when the contents screen is built, right after the window opens, into
# the book's remembered state.
remembered() { grep -l '"firstRunMarker"' "$OUT"/state/quirel/*.json 2>/dev/null | head -n 1; }
for _ in $(seq 1 100); do
  [ -n "$(remembered)" ] && break
  sleep 0.2
done
kill "$APP_PID"
wait $RUN_PID
rc=$?
APP_PID=""
[ $rc -eq 91 ] && fail "the bind mount did not make the folder read-only"
[ $rc -eq 0 ] || { cat "$OUT/app.log"; fail "the installed reader exited with $rc when asked to stop"; }
[ -e "$INSTALLED/ft.xml" ] && fail "the first-run marker was written into the read-only installed book"
[ -n "$(remembered)" ] || fail "no first-run marker in \$XDG_STATE_HOME/quirel/"
echo "PASSED: no display and a non-book refused with exit 2; the installed read-only book keeps its first-run marker in the state folder"

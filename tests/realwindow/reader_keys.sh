#!/usr/bin/env bash
# The reader in a real window driven by the keyboard alone: contents -> Unit 3 -> its first page
# -> a sentence read (its subtitle appears) -> the next page -> back to the contents. Then a second
# run on the same state folder offers the page last read, and opens it.
set -u
READER=$1 BOOK=$2 OUT=$3
mkdir -p "$OUT"
. "$(dirname "$0")/lib.sh"
need_tools
[ -f "$BOOK/String.xml" ] || skip "the sample book has not been generated"
rm -rf "$OUT/book" "$OUT/state"
cp -r "$BOOK" "$OUT/book"
start_display

# Keys go to the window under the pointer (no window manager): the pointer rests on the window's
# top edge, where no touch is made (it is only moved, never pressed).
keys() {
  to_screen 320 955
  xdotool mousemove "$SX" "$SY"
  xdotool windowfocus "$WID" 2>/dev/null || true
  local k
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.15
  done
}

start_app "quirel" "$READER" "$OUT/book"
keys Down Down Down Return   # "Unit 3"; its list flies in for two seconds
sleep 2.8
keys Return                  # its first entry, focused at once: page 26
sleep 1
shot page.png
near "$(pixel page.png 600 500)" "5 230 28" && fail "still on the contents screen"

# Sentence 2 of page 26 sits at about (200, 678); its subtitle hangs below it.
before=$(pixel page.png 206 625)
keys Tab Return
sleep 0.8
shot subtitle.png
after=$(pixel subtitle.png 206 625)
[ "$before" != "$after" ] || fail "no subtitle appeared under the sentence chosen with Enter ($before)"

keys Right                   # the next page, as the page button turns it
sleep 1.2
shot next.png
/usr/bin/convert "$OUT/page.png" "$OUT/next.png" -metric AE -compare -format '%[distortion]' info: >"$OUT/diff.txt" 2>/dev/null || true
changed=$(cat "$OUT/diff.txt")
[ "${changed%.*}" -gt 5000 ] || fail "the page did not change after Right ($changed pixels differ)"
grep -q '"page" : 27' "$OUT"/state/quirel/*.json || fail "page 27 is not remembered: $(cat "$OUT"/state/quirel/*.json)"

keys Escape
sleep 0.8
shot back.png
near "$(pixel back.png 600 500)" "5 230 28" || fail "Escape did not return to the contents screen"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null
APP_PID=

# The second run: the last entry is "continue at page 27".
start_app "quirel" "$READER" "$OUT/book"
keys Up Return
sleep 1.2
shot again.png
/usr/bin/convert "$OUT/next.png" "$OUT/again.png" -metric AE -fuzz 10% -compare -format '%[distortion]' info: >"$OUT/diff2.txt" 2>/dev/null || true
same=$(cat "$OUT/diff2.txt")
[ "${same%.*}" -lt 3000 ] || fail "the second run did not continue at page 27 ($same pixels differ from it)"
echo "PASSED: contents, unit, page, sentence, next page and back by keys alone; the next run continues there"

#!/usr/bin/env bash
# The reader in a real window, used as a child would: contents -> Unit 3 -> its first page ->
# touch a sentence (its subtitle appears) -> swipe to the next page -> back to the contents.
set -u
READER=$1 BOOK=$2 OUT=$3
mkdir -p "$OUT"
. "$(dirname "$0")/lib.sh"
need_tools
[ -f "$BOOK/String.xml" ] || skip "the sample book has not been generated"
rm -rf "$OUT/book"
cp -r "$BOOK" "$OUT/book"
start_display
start_app "quirel" "$READER" "$OUT/book"

click 300 660 2.8          # "Unit 3"; its list flies in for two seconds
click 320 860 1            # its first entry: page 26
shot page.png
near "$(pixel page.png 600 500)" "5 230 28" && fail "still on the contents screen"

# Sentence 2 of page 26 sits at about (200, 678); its subtitle hangs below it.
before=$(pixel page.png 206 625)
click 200 678 0.8
shot subtitle.png
after=$(pixel subtitle.png 206 625)
[ "$before" != "$after" ] || fail "no subtitle appeared under the touched sentence ($before)"
grep -q "Scene 1 onEnter" "$OUT/app.log" || fail "the page layer did not log its entry"

drag 420 250 250 250       # a swipe to the left on the page margin: the next page
sleep 1
shot next.png
/usr/bin/convert "$OUT/page.png" "$OUT/next.png" -metric AE -compare -format '%[distortion]' info: >"$OUT/diff.txt" 2>/dev/null || true
changed=$(cat "$OUT/diff.txt")
[ "${changed%.*}" -gt 5000 ] || fail "the page did not change after the swipe ($changed pixels differ)"
grep -q "Scene 2 onEnter" "$OUT/app.log" || fail "the swipe did not build the next page's layer"

click 60 30 0.8            # the contents item
shot back.png
near "$(pixel back.png 600 500)" "5 230 28" || fail "the contents item did not return to the contents screen"
echo "PASSED: unit, page, sentence with subtitle, swipe and back in a real window"

#!/usr/bin/env bash
# The reader in a real window on a still page: a page it no longer redraws comes back whole after
# the window is hidden and shown again and after a resize, and the touch of a sentence still shows.
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

# Pixels that differ between two screenshots.
differing() {
  /usr/bin/convert "$OUT/$1" "$OUT/$2" -metric AE -fuzz 10% -compare -format '%[distortion]' info: 2>/dev/null || true
}

click 300 660 2.8          # "Unit 3"
click 320 860 2            # page 26, not read aloud: nothing on it moves
shot page.png
near "$(pixel page.png 600 500)" "5 230 28" && fail "still on the contents screen"

# Hidden and shown again: the window system keeps nothing of an unmapped window.
xdotool windowunmap --sync "$WID"
sleep 0.5
xdotool windowmap --sync "$WID"
sleep 1
shot shown.png
d=$(differing page.png shown.png)
[ "${d%.*}" -lt 2000 ] || fail "after hiding and showing, the still page came back different ($d pixels)"

# A smaller window: the page is drawn again, whole, at its new size. Both pictures of the window
# shrunk to 64 x 96 pixels must nearly agree.
crop() {  # crop SHOT: the window's part of the screenshot, shrunk
  /usr/bin/convert "$OUT/$1" -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage -resize '64x96!' "$OUT/small-$1"
}
crop page.png
xdotool windowsize --sync "$WID" $((WIN_W * 3 / 4)) $((WIN_H * 3 / 4))
sleep 1
eval "$(xdotool getwindowgeometry --shell "$WID")"
WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
shot resized.png
crop resized.png
d=$(differing small-page.png small-resized.png)
[ "${d%.*}" -lt 600 ] || fail "after a resize the page is not drawn whole at the new size ($d of 6144 pixels differ)"

# Still responsive: a touched sentence shows its subtitle.
before=$(pixel resized.png 206 625)
click 200 678 0.8
shot subtitle.png
[ "$before" != "$(pixel subtitle.png 206 625)" ] || fail "no subtitle appeared under the touched sentence"
echo "PASSED: a still page comes back after hiding and after a resize, and answers a touch"

#!/usr/bin/env bash
# The scroll demo in a real window: a quick drag with the mouse flings the list, which goes on
# moving after the button is released and then comes to rest.
set -u
DEMO=$1 OUT=$2
mkdir -p "$OUT"
. "$(dirname "$0")/lib.sh"
need_tools
start_display
start_app "quirel scroll demo" "$DEMO"

# A signature of the list's pixels (the view spans x 40..600, y 40..860 in design points).
list_sig() {
  to_screen 60 840
  local x0=$SX y0=$SY
  to_screen 580 60
  /usr/bin/convert "$OUT/$1" -crop "$(( SX - x0 ))x$(( SY - y0 ))+$x0+$y0" +repage -format '%#' info:
}

shot before.png
before=$(list_sig before.png)

# 300 points up in about a third of a second, starting on a button, then let go at once.
to_screen 320 200
xdotool mousemove "$SX" "$SY" mousedown 1
for i in 1 2 3 4 5 6 7 8; do
  to_screen 320 $(( 200 + 300 * i / 8 ))
  xdotool mousemove "$SX" "$SY"
  sleep 0.04
done
xdotool mouseup 1
shot during-1.png
sleep 0.2
shot during-2.png
sleep 3
shot after-1.png
sleep 1
shot after-2.png

d1=$(list_sig during-1.png)
d2=$(list_sig during-2.png)
a1=$(list_sig after-1.png)
a2=$(list_sig after-2.png)
[ "$d1" != "$before" ] || fail "the list did not move under the drag"
[ "$d2" != "$d1" ] || fail "the list stood still right after the release: no fling"
[ "$a1" != "$d2" ] || fail "the list did not move on after the second mid-fling screenshot"
[ "$a2" = "$a1" ] || fail "the list was still moving four seconds after the release"
bg=$(pixel after-2.png 320 20)
near "$bg" "38 44 56" || fail "the background below the list is '$bg', expected the demo's slate"
echo "PASSED: the list flings on after the release in a real window and comes to rest"

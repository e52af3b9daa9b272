#!/usr/bin/env bash
# The text field demo in a real window: typed text reaches the clicked field, and the password field shows only masks.
set -u
DEMO=$1 OUT=$2
mkdir -p "$OUT"
. "$(dirname "$0")/lib.sh"
need_tools
start_display
start_app "quirel textfield demo" "$DEMO"

click 320 640
xdotool type --delay 80 "hello"
sleep 0.8
click 320 400
xdotool type --delay 80 "secret"
sleep 0.8
shot typed.png

log="$OUT/app.log"
grep -q "^textfield: plain = hello$" "$log" || { cat "$log"; fail "the typed 'hello' did not reach the plain field"; }
grep -q "^textfield: password = secret$" "$log" || { cat "$log"; fail "the typed 'secret' did not reach the password field"; }
grep -q "^textfield: password shows \*\*\*\*\*\*$" "$log" || { cat "$log"; fail "the password field does not show six masks"; }
grep -q "^textfield: plain = .*s" "$log" && fail "text typed into the password field reached the plain field"
grep -q "^textfield: password shows .*[a-z]" "$log" && fail "the password field showed a letter"

# Ink box ("WxH+X+Y", rows from the top) of the screenshot inside a 400 x 70 design-point box
# around a field's centre; the background is black.
ink_box() {
  to_screen $(( $1 - 200 )) $(( $2 + 35 ))
  local x=$SX y=$SY
  to_screen $(( $1 + 200 )) $(( $2 - 35 ))
  /usr/bin/convert "$OUT/typed.png" -crop "$(( SX - x ))x$(( SY - y ))+$x+$y" +repage -fuzz 25% -format '%@' info:
}
read -r pw ph px py <<<"$(ink_box 320 640 | tr 'x+' '  ')"
read -r mw mh mx my <<<"$(ink_box 320 400 | tr 'x+' '  ')"
echo "plain field ink ${pw}x${ph} at +$px+$py; password field ink ${mw}x${mh} at +$mx+$my"
[ "${pw:-0}" -gt 20 ] && [ "${ph:-0}" -gt 10 ] || fail "the plain field shows no text"
[ "${mw:-0}" -gt 20 ] && [ "${mh:-0}" -gt 3 ] || fail "the password field shows nothing"
# Every letter of "secret" stands on the baseline, where "hello" ends; masks float well above it.
plain_bottom=$(( py + ph )) mask_bottom=$(( my + mh ))
[ "$mask_bottom" -le $(( plain_bottom - ph / 5 )) ] ||
  fail "the password field has ink down to the baseline (bottom $mask_bottom, letters end at $plain_bottom): a letter shows"
echo "PASSED: typing reaches the clicked field and the password field shows only masks"

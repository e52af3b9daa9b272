#!/usr/bin/env bash
# The engine demo in a real window: a click on its menu item turns the swatch from red to green.
set -u
DEMO=$1 OUT=$2
mkdir -p "$OUT"
. "$(dirname "$0")/lib.sh"
need_tools
start_display
start_app "quirel engine demo" "$DEMO"

shot demo-before.png
before=$(pixel demo-before.png 540 820)
near "$before" "220 40 40" || fail "swatch before the click is '$before', expected red"

click 320 200
shot demo-after.png
after=$(pixel demo-after.png 540 820)
near "$after" "40 200 60" || fail "swatch after the click is '$after', expected green"
grep -q "demo: tapped 1" "$OUT/app.log" || fail "the tap callback did not run once"

click 320 200
shot demo-again.png
again=$(pixel demo-again.png 540 820)
near "$again" "220 40 40" || fail "swatch after the second click is '$again', expected red"
echo "PASSED: the demo reacts to clicks in a real window"

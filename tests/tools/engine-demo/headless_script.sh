#!/usr/bin/env bash
# The engine demo headless: its script runs on the scripted host's commands, taps reach the
# menu, failed lines are named on standard error as "line N: ..." and the run goes on to exit 0.
set -uo pipefail
demo=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cat > "$work/script" <<SCRIPT
tap 320 200
# a comment line
jump 1 2
shot $work/frame.png   # the frame after one tap
shot /nonexistent-quirel-folder/frame.png
wait 0.5
tap 320
tap 320 200
SCRIPT

rc=0
"$demo" --headless "$work/script" > "$work/out" 2> "$work/err" || rc=$?
[ "$rc" = 0 ] || fail "the headless run exited $rc: $(cat "$work/err")"
grep -E '^(demo: |line [0-9]+: )' "$work/err" > "$work/seen"
printf '%s\n' \
  "demo: tapped 1" \
  "line 3: cannot run 'jump 1 2'" \
  "line 5: cannot write /nonexistent-quirel-folder/frame.png" \
  "line 7: cannot run 'tap 320'" \
  "demo: tapped 2" > "$work/expected"
diff -u "$work/expected" "$work/seen" || fail "standard error is not as expected"
[ "$(head -c 4 "$work/frame.png" | tail -c 3)" = "PNG" ] || fail "the shot is not a PNG"

rc=0
"$demo" --headless "$work/missing" > /dev/null 2> "$work/err" || rc=$?
[ "$rc" = 2 ] || fail "a missing script exited $rc, expected 2"
grep -qx "quirel-engine-demo: cannot read $work/missing" "$work/err" || fail "a missing script: $(cat "$work/err")"

rc=0
"$demo" --headless > /dev/null 2> "$work/err" || rc=$?
[ "$rc" = 2 ] || fail "a wrong command line exited $rc, expected 2"
grep -qx "usage: quirel-engine-demo \[--headless SCRIPT\]" "$work/err" || fail "no usage line: $(cat "$work/err")"
echo "PASSED: the engine demo runs its script headless and names failed lines"

#!/usr/bin/env bash
# The reader on a book folder it cannot write to (a read-only medium): the first-run marker
# cannot be created in it (it is kept with the remembered state instead), and the contents, the
# unit menu, a page and its read-aloud all still work.
# Root ignores file modes: run_readonly (lib.sh) makes the folder read-only for root too.
set -u
DRIVE=$1 BOOK=$2 OUT=$3
mkdir -p "$OUT"
. "$(dirname "$0")/lib.sh"
copy_book
rm -f "$OUT/book/ft.xml"
rm -rf "$OUT/state"
mkdir -p "$OUT/state"
chmod 777 "$OUT/state"

write_script

run_readonly "$OUT/book" "$DRIVE" --resources "$OUT/book" --state "$OUT/state" "$OUT/script.txt" >"$OUT/drive.out" 2>&1
rc=$?
how=$READONLY_HOW
[ $rc -eq 90 ] && skip "no way to make a folder read-only for root here"
[ $rc -eq 91 ] && fail "the bind mount did not make the folder read-only"

cat "$OUT/drive.out" | cut -c1-300
[ $rc -eq 0 ] || fail "the driver exited with $rc"
[ -e "$OUT/book/ft.xml" ] && fail "the first-run marker was written into the read-only book"
grep -q '"firstRunMarker"' "$OUT"/state/*.json 2>/dev/null || fail "the first-run marker is not kept with the remembered state"
expect_field 1 layer TestController
expect_field 1 dragHintVisible false
expect_field 2 layer TestLayer1
expect_field 2 currentPage 26
expect_field 3 currentSentenceButton bn262
grep -q '"playing":true' <<<"$(state_line 3)" || fail "the touched sentence is not playing"
echo "PASSED: a read-only book ($how) reads as usual and no marker was written"

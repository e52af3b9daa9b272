#!/usr/bin/env bash
# The reader on a book folder it cannot write to (a read-only medium): the first-run marker
# cannot be created, and the contents, the unit menu, a page and its read-aloud all still work.
# The folder is made read-only by a read-only bind mount in a private mount namespace (root
# ignores file modes), or by file modes for a user who is not root.
set -u
DRIVE=$1 BOOK=$2 OUT=$3
mkdir -p "$OUT"
. "$(dirname "$0")/lib.sh"
copy_book
rm -f "$OUT/book/ft.xml"

write_script

run_drive() {
  "$@" "$DRIVE" --resources "$OUT/book" "$OUT/script.txt" >"$OUT/drive.out" 2>&1
}

if [ "$(id -u)" -ne 0 ]; then
  chmod -R a-w "$OUT/book"
  run_drive env
  rc=$?
  chmod -R u+w "$OUT/book"
  how="file modes"
elif unshare --user --map-root-user --mount true 2>/dev/null; then
  # The mount lives only as long as the namespace: nothing to undo afterwards.
  unshare --user --map-root-user --mount bash -c '
    mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" || exit 90
    touch "$1/probe" 2>/dev/null && exit 91
    shift; exec "$@"' _ "$OUT/book" "$DRIVE" --resources "$OUT/book" "$OUT/script.txt" >"$OUT/drive.out" 2>&1
  rc=$?
  [ $rc -eq 90 ] && skip "a read-only bind mount is not allowed here"
  [ $rc -eq 91 ] && fail "the bind mount did not make the folder read-only"
  how="a read-only bind mount"
elif command -v setpriv >/dev/null; then
  chmod -R a+rX,a-w "$OUT/book"
  run_drive setpriv --reuid=65534 --regid=65534 --clear-groups
  rc=$?
  chmod -R u+w "$OUT/book"
  how="the user nobody"
else
  skip "no way to make a folder read-only for root here"
fi

cat "$OUT/drive.out" | cut -c1-300
[ $rc -eq 0 ] || fail "the driver exited with $rc"
[ -e "$OUT/book/ft.xml" ] && fail "the first-run marker was written into the read-only book"
expect_field 1 layer TestController
expect_field 1 dragHintVisible false
expect_field 2 layer TestLayer1
expect_field 2 currentPage 26
expect_field 3 currentSentenceButton bn262
grep -q '"playing":true' <<<"$(state_line 3)" || fail "the touched sentence is not playing"
echo "PASSED: a read-only book ($how) reads as usual and no marker was written"

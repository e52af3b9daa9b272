#!/usr/bin/env bash
# The reader on a book folder it cannot write to (a read-only medium): the first-run marker
# cannot be created (it is kept with the remembered state instead), and the contents, the unit
# menu, a page and its read-aloud all still work.
# Root ignores file modes, so for root the folder is made read-only by a read-only bind mount
# in a private mount namespace, or the driver runs as the user nobody; other users get file modes.
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

run_drive() {
  "$@" "$DRIVE" --resources "$OUT/book" --state "$OUT/state" "$OUT/script.txt" >"$OUT/drive.out" 2>&1
}

# A read-only bind mount in a private mount namespace; the mount lives only as long as the
# namespace, so there is nothing to undo. Exit 90: such mounts are not allowed here.
by_mount() {
  unshare --user --map-root-user --mount bash -c '
    mount --bind "$1" "$1" 2>/dev/null && mount -o remount,bind,ro "$1" 2>/dev/null || exit 90
    touch "$1/probe" 2>/dev/null && exit 91
    shift; exec "$@"' _ "$OUT/book" "$DRIVE" --resources "$OUT/book" --state "$OUT/state" "$OUT/script.txt" >"$OUT/drive.out" 2>&1
}

# As the user nobody, on a book without write permission. Exit 90: nobody cannot reach the
# driver or the book from where they are.
by_nobody() {
  local as=(setpriv --reuid=65534 --regid=65534 --clear-groups) rc=90
  chmod -R a+rX,a-w "$OUT/book"
  if "${as[@]}" test -x "$DRIVE" -a -r "$OUT/book/String.xml" 2>/dev/null; then
    run_drive "${as[@]}"
    rc=$?
  fi
  chmod -R u+w "$OUT/book"
  return $rc
}

rc=90
if [ "$(id -u)" -ne 0 ]; then
  chmod -R a-w "$OUT/book"
  run_drive env
  rc=$?
  chmod -R u+w "$OUT/book"
  how="file modes"
else
  if unshare --user --map-root-user --mount true 2>/dev/null; then
    by_mount
    rc=$?
    how="a read-only bind mount"
  fi
  if [ $rc -eq 90 ] && command -v setpriv >/dev/null; then
    by_nobody
    rc=$?
    how="the user nobody"
  fi
fi
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

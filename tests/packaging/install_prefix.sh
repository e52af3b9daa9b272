#!/usr/bin/env bash
# `cmake --install` into a temporary prefix from the build tree: the programs, the sample book,
# the desktop entry and the AppStream metadata (both validated), the icons at every size and
# the man page are in place, and the installed programs find the installed book by themselves.
# The prefix stays for the tests that run the installed reader (fixture installed_prefix).
set -u
BUILD=$1 OUT=$2
APP_ID=org.quirel.Quirel
PREFIX="$OUT/prefix"
fail() {
  echo "FAILED: $*"
  exit 1
}
rm -rf "$PREFIX" && mkdir -p "$OUT"
cmake --install "$BUILD" --prefix "$PREFIX" >"$OUT/install.log" 2>&1 || { cat "$OUT/install.log"; fail "cmake --install failed"; }

for p in quirel quirel-make quirel-check quirel-epub quirel-drive; do
  [ -x "$PREFIX/bin/$p" ] || fail "bin/$p is not installed"
  "$PREFIX/bin/$p" --help >/dev/null 2>&1 || fail "the installed $p --help failed"
done
BOOK="$PREFIX/share/quirel/book"
for f in String.xml Stringstr.xml tomeset/tomeset_1.json tomeset/tomeset_90.json Images/next1.png 3age/pageset.json; do
  [ -f "$BOOK/$f" ] || fail "the installed book has no $f"
done
[ -e "$BOOK/ft.xml" ] && fail "the build tree's first-run marker was installed with the book"
"$PREFIX/bin/quirel-check" "$BOOK" >"$OUT/check.out" 2>&1 || { cat "$OUT/check.out"; fail "quirel-check finds the installed book broken"; }

DESKTOP="$PREFIX/share/applications/$APP_ID.desktop"
[ -f "$DESKTOP" ] || fail "no desktop entry"
out=$(desktop-file-validate "$DESKTOP" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate has remarks: $out"
grep -q "^Icon=$APP_ID$" "$DESKTOP" || fail "the desktop entry does not name the icon $APP_ID"
grep -q "^Exec=quirel" "$DESKTOP" || fail "the desktop entry does not start quirel"

META="$PREFIX/share/metainfo/$APP_ID.metainfo.xml"
[ -f "$META" ] || fail "no AppStream metadata"
out=$(appstreamcli validate --no-net --explain "$META" 2>&1) || fail "appstreamcli validate: $out"
grep -Eq "^(E|W):" <<<"$out" && fail "appstreamcli validate warns: $out"
grep -q "<screenshot" "$META" && grep -q "<description>" "$META" || fail "the metadata has no description or screenshots"

for size in 48 64 128 256 512; do
  icon="$PREFIX/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png"
  [ -f "$icon" ] || fail "no ${size}x$size icon"
  # The PNG header's width and height (bytes 16 to 23, big-endian).
  dims=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$dims" = "${size}x$size" ] || fail "the ${size}x$size icon is $dims"
done

MAN="$PREFIX/share/man/man1/quirel.1"
[ -f "$MAN" ] || fail "no man page"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$MAN" 2>&1 >"$OUT/man.txt")
[ -z "$warnings" ] || fail "the man page has warnings: $warnings"
grep -q "F11" "$OUT/man.txt" || fail "the man page does not render its keys"

# Started without a book, the installed driver opens the installed book: its first-run marker
# lands there (the folder is writable here).
echo state | SDL_AUDIODRIVER=dummy XDG_STATE_HOME="$OUT/state" "$PREFIX/bin/quirel-drive" >"$OUT/drive.out" 2>&1 ||
  { cat "$OUT/drive.out"; fail "the installed quirel-drive failed on its own book"; }
grep -q '"layer":"TestController"' "$OUT/drive.out" || fail "the installed driver did not show the contents: $(cat "$OUT/drive.out")"
[ -f "$BOOK/ft.xml" ] || fail "the installed driver did not open the installed book"
echo "PASSED: installed into $PREFIX: programs, book, desktop entry, metadata, icons and man page"

#!/usr/bin/env bash
# Photographs the sample book with the headless driver for the README and the AppStream
# metadata: the contents, a unit's page list, a page with a sentence's subtitle and a page turn
# caught half way. Run it after a build whenever the screens change; the pictures are replaced
# all together or not at all.
#   bash scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]     (defaults: build, docs/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
OUT=${2:-docs/screenshots}
DRIVE="$BUILD/tools/drive/quirel-drive"
case "${1:-}" in -h | --help)
  sed -n 2,6p "$0" | sed 's/^# \{0,1\}//'
  exit 0
  ;;
esac
[ -x "$DRIVE" ] || { echo "screenshots: no $DRIVE (build first)" >&2; exit 2; }
[ -f "$BUILD/book/String.xml" ] || { echo "screenshots: no sample book in $BUILD/book (build first)" >&2; exit 2; }

# A private copy of the book: the driver writes its first-run marker into the book folder.
STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT
cp -r "$BUILD/book" "$STAGE/book"
rm -f "$STAGE/book/ft.xml"
mkdir "$STAGE/shots"

# Design points (640 x 960, origin bottom left): "Unit 3" on the contents, its first page,
# that page's second sentence, a swipe to the next page.
SDL_AUDIODRIVER=dummy "$DRIVE" --resources "$STAGE/book" >"$STAGE/drive.log" 2>&1 <<SCRIPT || { cat "$STAGE/drive.log" >&2; exit 1; }
wait 1
shot $STAGE/shots/contents.png
tap 300 660
wait 2.8
shot $STAGE/shots/unit-menu.png
tap 320 860
wait 1
tap 200 678
wait 0.6
shot $STAGE/shots/page-subtitle.png
wait 6
drag 560 480 80 480 6
wait 0.15
shot $STAGE/shots/page-turn.png
SCRIPT

mkdir -p "$OUT"
for f in contents unit-menu page-subtitle page-turn; do
  [ -s "$STAGE/shots/$f.png" ] || { echo "screenshots: the driver made no $f.png (see its log below)" >&2; cat "$STAGE/drive.log" >&2; exit 1; }
done
for f in contents unit-menu page-subtitle page-turn; do
  mv "$STAGE/shots/$f.png" "$OUT/$f.png"
done
echo "screenshots: contents, unit-menu, page-subtitle and page-turn in $OUT"

#!/usr/bin/env bash
# The reader on a machine whose fonts do not match the names the book asks for. First with one
# unrelated font only (every name falls back to it and text is drawn in it), then with no font at
# all (text stays empty but keeps its room, so the contents, the unit menu and the sentences can
# still be touched and read aloud). Fontconfig is pointed at a configuration of our own.
set -u
DRIVE=$1 BOOK=$2 OUT=$3
mkdir -p "$OUT"
. "$(dirname "$0")/lib.sh"
command -v /usr/bin/convert >/dev/null || skip "ImageMagick's convert is not installed"
SERIF=/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf
[ -f "$SERIF" ] || skip "Liberation Serif is not installed (scripts/setup.sh installs it)"
copy_book

write_script "shot $OUT/page.png"

# run NAME FONT_DIR: the driver with fontconfig seeing only FONT_DIR's fonts.
run() {
  local name=$1 dir=$2
  cat >"$OUT/$name.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>$dir</dir><cachedir>$OUT/fc-cache-$name</cachedir></fontconfig>
CONF
  FONTCONFIG_FILE="$OUT/$name.conf" "$DRIVE" --resources "$OUT/book" "$OUT/script.txt" >"$OUT/drive.out" 2>&1
  local rc=$?
  cp "$OUT/drive.out" "$OUT/$name.out"
  cut -c1-300 "$OUT/drive.out"
  [ $rc -eq 0 ] || fail "$name: the driver exited with $rc"
  expect_field 1 layer TestController
  expect_field 2 selectedUnit 2
  expect_field 2 currentPage 26
  expect_field 3 currentSentenceButton bn262
  grep -q '"playing":true' <<<"$(state_line 3)" || fail "$name: the touched sentence is not playing"
}

# The subtitle's text is dark blue on a light background: count its pixels in the box below the
# touched sentence.
ink() {
  /usr/bin/convert "$OUT/page.png" -crop 200x30+100+305 +repage -fx '(b>0.5 && r<0.5 && g<0.5) ? 1 : 0' \
    -format '%[fx:int(mean*w*h)]' info:
}

mkdir -p "$OUT/one-font"
ln -sf "$SERIF" "$OUT/one-font/"
run one-font "$OUT/one-font"
grep -q 'font "Arial" resolved to Liberation Serif' "$OUT/drive.out" || fail "no line says which font stood in for Arial"
cp "$OUT/page.png" "$OUT/one-font.png"
drawn=$(ink)
[ "$drawn" -gt 50 ] || fail "one-font: the subtitle was not drawn ($drawn pixels of ink)"

mkdir -p "$OUT/no-font"
run no-font "$OUT/no-font"
grep -q 'no font at all for "Arial"' "$OUT/drive.out" || fail "no line says that no font exists"
cp "$OUT/page.png" "$OUT/no-font.png"
blank=$(ink)
[ "$blank" -lt 5 ] || fail "no-font: $blank pixels of text ink with no font at all"
echo "PASSED: an unrelated font stands in ($drawn ink pixels); with none the reader still works"

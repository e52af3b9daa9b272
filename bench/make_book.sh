#!/usr/bin/env bash
# Times quirel-make on a 30-page book with two sentences a page, half of them with a recording (a
# distinct WAV, M4A or OGG file each) and half spoken by espeak-ng: from scratch, and again with
# nothing changed. Prints "make_scratch_s=<median> make_unchanged_s=<median>". With KEEP_DIR, the
# book made last is moved there for the benchmarks that read a made book (bench/epub_book.sh).
#
# Usage: bash bench/make_book.sh BUILD_DIR [RUNS [KEEP_DIR]]   (BUILD_DIR holds quirel-make and quirel-example-art)
set -euo pipefail
build=$1
runs=${2:-3}
keep=${3:-}
make=$build/tools/make/quirel-make
art=$build/tools/example-art/quirel-example-art
for tool in "$make" "$art"; do
    [ -x "$tool" ] || { echo "make_book: $tool is not built" >&2; exit 1; }
done
work=$(mktemp -d /tmp/quirel-make-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# The sources: three picture shapes in turn, one recording a page in three formats in turn.
animals=(cat bird duck fish tree house sun flower kite balloon)
formats=(wav m4a ogg)
size() {  # size PAGE: sets w and h, landscape, portrait and square in turn
    case $(($1 % 3)) in 0) w=1200; h=800 ;; 1) w=600; h=1000 ;; *) w=800; h=800 ;; esac
}
{
    echo '{"pictures": ['
    for p in $(seq 1 30); do
        size "$p"
        a=${animals[$((p % 10))]}
        echo "  {\"file\": \"pictures/p$p.png\", \"width\": $w, \"height\": $h, \"paper\": \"#dff3fb\", \"ground\": \"#8fd16a\","
        echo "   \"shapes\": [[\"$a\", $((w / 2)), $((h / 3)), $((h / 3))]],"
        echo "   \"texts\": [[\"Page $p: here is a $a.\", 20, $((h - 160)), $((w - 40)), 70], [\"The $a is on page $p.\", 20, $((h - 80)), $((w - 40)), 70]]}$([ "$p" -lt 30 ] && echo ,)"
    done
    echo '], "voices": ['
    for p in $(seq 1 30); do
        echo "  {\"file\": \"voice/p$p.${formats[$((p % 3))]}\", \"text\": \"Page $p: here is a ${animals[$((p % 10))]}.\"}$([ "$p" -lt 30 ] && echo ,)"
    done
    echo '], "voice": {"name": "en-gb", "speed": 150, "pitch": 65}}'
} >"$work/art.json"
{
    echo "title: Thirty Pages"
    echo "pages:"
    for p in $(seq 1 30); do
        size "$p"
        a=${animals[$((p % 10))]}
        echo "  - picture: pictures/p$p.png"
        echo "    sentences:"
        echo "      - text: \"Page $p: here is a $a.\""
        echo "        zone: [20, $((h - 160)), $((w - 40)), 70]"
        echo "        audio: voice/p$p.${formats[$((p % 3))]}"
        echo "      - text: \"The $a is on page $p.\""
        echo "        zone: [20, $((h - 80)), $((w - 40)), 70]"
    done
} >"$work/book.yaml"
"$art" "$work" "$work/src" >/dev/null

. "$(dirname "$0")/timing.sh"

scratch=$(for r in $(seq 1 "$runs"); do
    rm -rf "$work/out"
    seconds "$make" --quiet "$work/src/book.yaml" "$work/out"
done | median)
unchanged=$(for r in $(seq 1 "$runs"); do
    seconds "$make" --quiet "$work/src/book.yaml" "$work/out"
done | median)
if [ -n "$keep" ]; then
    rm -rf "$keep"
    mv "$work/out" "$keep"
fi
echo "make_scratch_s=$scratch make_unchanged_s=$unchanged"

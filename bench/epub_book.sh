#!/usr/bin/env bash
# Times quirel-epub on the 30-page book of bench/make_book.sh (60 sentences, 30 recorded and 30
# spoken): the export to an EPUB, the median of RUNS runs. Prints one line of NAME=SECONDS pairs,
# "epub_export_s=<median>"; every command timed with `timed` adds its own pair to it.
#
# Usage: bash bench/epub_book.sh BUILD_DIR [RUNS [BOOK_DIR]]
#   BUILD_DIR holds quirel-epub (and quirel-make and quirel-example-art when no BOOK_DIR is given);
#   BOOK_DIR is that 30-page book made already (bench/make_book.sh BUILD_DIR RUNS BOOK_DIR keeps it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
runs=${2:-5}
book=${3:-}
epub=$build/tools/epub/quirel-epub
[ -x "$epub" ] || { echo "epub_book: $epub is not built" >&2; exit 1; }
work=$(mktemp -d /tmp/quirel-epub-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
if [ -z "$book" ]; then
    book=$work/book
    bash "$root/bench/make_book.sh" "$build" 1 "$book" >/dev/null
fi

. "$(dirname "$0")/timing.sh"
results=()
timed() {  # timed NAME COMMAND...: the median wall time of RUNS runs, added to the line as NAME=SECONDS
    local name=$1
    shift
    results+=("$name=$(for r in $(seq 1 "$runs"); do seconds "$@"; done | median)")
}

timed epub_export_s "$epub" export --quiet "$book" "$work/book.epub"
# Each import from scratch: into a folder that is not there, so nothing comes from an earlier cache.
timed epub_import_s bash -c 'rm -rf "$1" && "$2" import --quiet "$3" "$1"' _ "$work/imported" "$epub" "$work/book.epub"
echo "${results[*]}"

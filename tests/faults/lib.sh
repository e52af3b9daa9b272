# Helpers of the whole-process fault runs: a private book copy, the headless driver run on a
# script, and checks on the state lines it prints. Exit code 77 means skipped.

skip() {
  echo "SKIPPED: $*"
  exit 77
}

fail() {
  echo "FAILED: $*"
  exit 1
}

# A fresh copy of the generated book in $OUT/book (real files, so it can be made read-only).
copy_book() {
  [ -f "$BOOK/String.xml" ] || skip "the sample book has not been generated"
  rm -rf "$OUT/book"
  cp -rL "$BOOK" "$OUT/book"
}

# The value of a top-level number or string field of one JSON state line.
field() {
  sed -n 's/.*"'"$2"'":"\{0,1\}\([^",}]*\).*/\1/p' <<<"$1"
}

# The Nth state line (from 1) that the driver printed into $OUT/drive.out.
state_line() {
  grep '^{"audio"' "$OUT/drive.out" | sed -n "${1}p"
}

expect_field() {
  local line value
  line=$(state_line "$1")
  [ -n "$line" ] || fail "state report $1 is missing (see $OUT/drive.out)"
  value=$(field "$line" "$2")
  [ "$value" = "$3" ] || fail "state report $1: $2 is '$value', not '$3'"
}

# The driver script of every run: the contents (state 1), "Unit 3" and its first page, page 26
# (state 2), its second sentence touched (state 3); then any lines given.
write_script() {
  {
    printf '%s\n' state 'tap 300 660' 'wait 2.8' 'tap 320 860' 'wait 1' state 'tap 200 678' 'wait 0.3' state
    printf '%s\n' "$@"
  } >"$OUT/script.txt"
}

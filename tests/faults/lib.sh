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

# Runs a program (with its arguments; pass settings through exported variables) while the folder
# DIR cannot be written, even by root: root gets a read-only bind mount in a private mount
# namespace (nothing to undo: the mount lives as long as the namespace) or, where such mounts
# are not allowed, runs as the user nobody on a folder without write permission; other users
# get file modes. Sets READONLY_HOW; returns the program's exit code, 90 when there is no way to
# do it here, 91 when the mount left the folder writable.
run_readonly() {
  local dir=$1 rc=90
  shift
  if [ "$(id -u)" -ne 0 ]; then
    READONLY_HOW="file modes"
    chmod -R a-w "$dir"
    "$@"
    rc=$?
    chmod -R u+w "$dir"
    return $rc
  fi
  if unshare --user --map-root-user --mount true 2>/dev/null; then
    READONLY_HOW="a read-only bind mount"
    unshare --user --map-root-user --mount bash -c '
      mount --bind "$1" "$1" 2>/dev/null && mount -o remount,bind,ro "$1" 2>/dev/null || exit 90
      touch "$1/probe" 2>/dev/null && exit 91
      shift; exec "$@"' _ "$dir" "$@"
    rc=$?
  fi
  if [ $rc -eq 90 ] && command -v setpriv >/dev/null; then
    READONLY_HOW="the user nobody"
    local as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chmod -R a+rX,a-w "$dir"
    if "${as[@]}" test -x "$1" -a -r "$dir" 2>/dev/null; then
      "${as[@]}" "$@"
      rc=$?
    fi
    chmod -R u+w "$dir"
  fi
  return $rc
}

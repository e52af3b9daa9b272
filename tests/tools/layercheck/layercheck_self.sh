#!/usr/bin/env bash
# The layering check against small trees made here: a clean one passes; a climbing include, an
# include across rooms of one floor, a lower layer including a higher one and a folder the order
# does not name each fail, naming the file and line.
set -euo pipefail
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

tree() {  # a fresh tree: two layers, low < mid | side < high in the first
  rm -rf "$work/t" && mkdir -p "$work/t"/{core/low,core/mid,core/side,core/high,top/one}
  cat > "$work/t/README.md" <<'MD'
# a tree
```layers
core: low < mid | side < high
top: one
```
MD
  echo '#pragma once' > "$work/t/core/low/L.h"
  printf '#pragma once\n#include "core/low/L.h"\n' > "$work/t/core/mid/M.h"
  printf '#pragma once\n#include "core/low/L.h"\n' > "$work/t/core/side/S.h"
  printf '#include "core/mid/M.h"\n#include "core/side/S.h"\n#include <vector>\n' > "$work/t/core/high/H.cpp"
  printf '#include "core/high/H.h"\n#include "elsewhere/X.h"\n' > "$work/t/top/one/O.cpp"
  printf '#include "core/high/H.h"\n#include "core/low/L.h"\n' > "$work/t/core/all.h"
}

expect() {  # expect NAME STATUS PATTERN: the check exits STATUS and prints PATTERN
  local name=$1 status=$2 pattern=$3 out rc=0
  out=$("$check" "$work/t" 2>&1) || rc=$?
  if [ "$rc" -ne "$status" ] || ! grep -qF -- "$pattern" <<<"$out"; then
    echo "FAIL $name: exit $rc, output:"; echo "$out"; failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

tree
expect "a clean tree passes" 0 "none climbs"

tree
printf '#pragma once\n#include "core/high/H.h"\n' > "$work/t/core/low/L.h"
expect "a climbing include fails" 1 "core/low/L.h:2: includes core/high/H.h: core/low stands below core/high"

tree
printf '#include "core/side/S.h"\n' >> "$work/t/core/mid/M.h"
expect "rooms of one floor may not include each other" 1 \
  "core/mid/M.h:3: includes core/side/S.h: core/mid and core/side share a floor"

tree
printf '#include "top/one/O.h"\n' > "$work/t/core/mid/M.cpp"
expect "a lower layer may not include a higher one" 1 "core/mid/M.cpp:1: includes top/one/O.h: layer core stands below layer top"

tree
printf '#include "core/all.h"\n' > "$work/t/core/high/H2.cpp"
expect "a room may not include its layer's one-include header" 1 "core/high/H2.cpp:1: includes core/all.h: core/high stands below core"

tree
mkdir -p "$work/t/core/attic" && echo '#pragma once' > "$work/t/core/attic/A.h"
expect "a folder the order does not name fails" 1 "core/attic/A.h: folder core/attic is not placed"

# "*" on a floor: a shared kit below every other folder, each of which is its own room.
wild() {
  tree
  sed -i 's/^top: one$/top: kit < */' "$work/t/README.md"
  mkdir -p "$work/t/top"/{kit,two/sub}
  echo '#pragma once' > "$work/t/top/kit/K.h"
  printf '#pragma once\n#include "top/kit/K.h"\n' > "$work/t/top/two/T.h"
  printf '#include "top/two/T.h"\n' > "$work/t/top/two/sub/U.cpp"
}
wild
expect "folders under '*' may use the kit and their own subfolders" 0 "none climbs"

wild
printf '#include "top/two/T.h"\n' > "$work/t/top/kit/K.cpp"
expect "the kit may not include a folder above it" 1 "top/kit/K.cpp:1: includes top/two/T.h: top/kit stands below top/two"

wild
printf '#include "top/two/T.h"\n' >> "$work/t/top/one/O.cpp"
expect "folders under '*' share a floor" 1 "top/one and top/two share a floor"

tree
sed -i 's/^core: .*/core low mid/' "$work/t/README.md"
expect "a malformed order names its line" 1 "README.md:3:"

rc=0; "$check" --bogus >/dev/null 2>&1 || rc=$?
if [ "$rc" -eq 2 ]; then echo "ok   bad usage exits 2"; else echo "FAIL bad usage exited $rc"; failures=$((failures + 1)); fi

[ "$failures" -eq 0 ]

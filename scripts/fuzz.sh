#!/usr/bin/env bash
# Builds every libFuzzer target with clang into build-fuzz and runs each for a bounded time.
#
# Usage: bash scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 15; e.g. 600 for a long run)
# Fails on the first crash, leak, timeout or sanitizer report; the input that caused it is kept
# as build-fuzz/fuzz/crashes/<target>/crash-*. New inputs go to a scratch corpus in build-fuzz,
# so the seeds in fuzz/corpus stay as they are. Exits 0 with a message when clang or libFuzzer
# is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-15}
dir=build-fuzz

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ not found, fuzzing skipped"
  exit 0
fi
probe=$(mktemp -d /tmp/quirel-fuzz-probe.XXXXXX)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1; then
  echo "fuzz: clang cannot link libFuzzer (libclang-rt-14-dev missing?), fuzzing skipped"
  exit 0
fi

# Sanitizers over the whole engine, not only the entry points, so that faults inside the
# readers are caught where they happen. Line tables only (-g1): enough for a report's backtrace.
echo "== $dir: configure and build"
cmake -S . -B "$dir" -G Ninja -DCMAKE_UNITY_BUILD=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQUIREL_FUZZ=ON -DQUIREL_SANITIZE=ON -DQUIREL_TESTS=OFF -DQUIREL_BENCH=OFF >/dev/null

# target name -> seed folder under fuzz/corpus
declare -A seeds=(
  [layout_reader]=layout
  [plist_reader]=plist_reader
  [sprite_sheet]=sprite_sheet
  [bmfont_reader]=bmfont_reader
  [image_loader]=image_loader
  [book_description]=book_description
  [manifest]=manifest
  [epub_container]=epub_container
  [package_document]=package_document
  [media_overlay]=media_overlay
)
targets=()
for t in "${!seeds[@]}"; do
  if [ -f "fuzz/${t}_fuzz.cpp" ]; then targets+=("$t"); fi
done
IFS=$'\n' targets=($(sort <<<"${targets[*]}")); unset IFS
cmake --build "$dir" -j 2 --target "${targets[@]/#/fuzz_}"

export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in "${targets[@]}"; do
  scratch="$dir/fuzz/scratch/$t"
  crashes="$dir/fuzz/crashes/$t"
  mkdir -p "$scratch" "$crashes"
  echo "== fuzz $t: ${seconds}s"
  # A fixed seed and a fixed number of runs (QUIREL_FUZZ_RUNS, as CI sets it) make a run the same
  # on every machine; QUIREL_FUZZ_SEED=0 picks a fresh seed for exploring.
  runs=()
  [ -n "${QUIREL_FUZZ_RUNS:-}" ] && runs=(-runs="$QUIREL_FUZZ_RUNS")
  if ! "$dir/fuzz/fuzz_$t" "${runs[@]}" -seed="${QUIREL_FUZZ_SEED:-1}" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="$crashes/" "$scratch" "fuzz/corpus/${seeds[$t]}" \
      >"$dir/fuzz/$t.log" 2>&1; then
    tail -60 "$dir/fuzz/$t.log"
    echo "fuzz: $t failed; the input is in $crashes"
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$dir/fuzz/$t.log" | tr '\n' ' '
  echo
done
echo "== fuzz: all ${#targets[@]} targets clean"

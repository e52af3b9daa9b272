#!/usr/bin/env bash
# Sets up, builds and runs every test: a normal build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer so memory faults fail the run.
# QUIREL_SKIP_SANITIZE=1 skips the second pass (quicker local runs). Then every fuzz target runs
# for 15 s (scripts/fuzz.sh; it skips itself without clang's libFuzzer); QUIREL_SKIP_FUZZ=1 skips it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)

# run_pass DIR "CTEST ARGS" CMAKE ARGS...
run_pass() {
  local dir=$1 ctest_args=$2; shift 2
  echo "== $dir: configure and build"
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== $dir: tests"
  # shellcheck disable=SC2086
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 600 $ctest_args)
}

# Both passes are built for testing: optimised a little (-O1, as the sanitizers' own advice goes),
# with line tables only (-g1), which is enough for every backtrace and sanitizer report. That
# builds in about half the time of -O2 with full debug information, and the sanitizer pass's tests
# run much faster than at -O0. Releases and benchmarks build with their own flags.
# Unity builds (a few source files of a target compiled as one) take well under half the time
# from a clean tree: the headers every file includes are parsed once per batch, not per file.
run_pass build "" -DCMAKE_UNITY_BUILD=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
if [ "${QUIREL_SKIP_SANITIZE:-0}" != "1" ]; then
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # The .deb test checks what CPack packs, not how the programs run: once, in the first pass.
  run_pass build-asan "-E ^packaging\.deb\$" -DCMAKE_UNITY_BUILD=ON -DCMAKE_BUILD_TYPE=Debug -DQUIREL_SANITIZE=ON -DQUIREL_BENCH=OFF \
    "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" "-DCMAKE_C_FLAGS_DEBUG=-O1 -g1"
fi
if [ "${QUIREL_SKIP_FUZZ:-0}" != "1" ]; then
  # A fixed number of mutations per target: the same inputs on every run, so CI cannot turn red
  # by chance; long exploring runs are `bash scripts/fuzz.sh SECONDS`.
  QUIREL_FUZZ_RUNS=${QUIREL_FUZZ_RUNS:-4000} bash scripts/fuzz.sh 90
else
  echo "== fuzz: skipped (QUIREL_SKIP_FUZZ=1)"
fi
echo "== all tests passed"

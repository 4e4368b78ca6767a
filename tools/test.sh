#!/usr/bin/env bash
# Builds everything and runs all tests: a gcc build with warnings as errors, then one clang build
# instrumented with AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer's coverage, which
# runs the same tests under the sanitizers and every fuzz target for a short bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash tools/install-deps.sh

jobs=$(nproc)
export CTEST_OUTPUT_ON_FAILURE=1
# ccache keys on paths relative to the work tree, so a clone elsewhere reuses the cache.
export CCACHE_BASEDIR="$PWD"

configure() { # dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
}

echo "== build (gcc, warnings as errors)"
# Unoptimised and without debug information: this build is for the warnings and a first test
# run, so the compile time matters more than the tests' speed. The benchmarks are built here too
# but not run.
configure build/release -DTAVIX_WERROR=ON -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O0 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O0 -DNDEBUG"
cmake --build build/release -j"$jobs"
echo "== tests"
(cd build/release && ctest -j"$jobs" --timeout 300) | tee build/release-ctest.log

echo "== build (clang, address and undefined-behaviour sanitizers, fuzzing)"
# Clang's warning set differs from gcc's; warnings are held to gcc's above.
CC=clang CXX=clang++ configure build/asan -DTAVIX_FUZZ=ON -DTAVIX_BENCH=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O1 -gline-tables-only" -DCMAKE_C_FLAGS_RELEASE="-O1 -gline-tables-only"
cmake --build build/asan -j"$jobs"
echo "== tests (sanitizers)"
(cd build/asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$root/tools/lsan.supp" \
  ctest -j"$jobs" --timeout 600)

echo "== fuzz (bounded)"
# Each target is single-threaded, so two run at a time; each keeps its own bounded time. A
# target's last lines are printed when it ends, and any target that fails fails the run.
fuzz_one() { # target, status file
  local f=$1 name corpus work rc=0
  name=$(basename "$f")
  corpus="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  # The font libraries keep process caches the leak checker would report, as in the tests.
  LSAN_OPTIONS="suppressions=$root/tools/lsan.supp" "$f" "$work" -max_total_time="${FUZZ_SECONDS:-20}" \
    -rss_limit_mb=2048 -print_final_stats=0 >"$work.log" 2>&1 || rc=$?
  # one write, so the two targets' reports do not interleave
  printf -- '-- %s\n%s\n' "$name" "$(tail -n "$([ "$rc" = 0 ] && echo 3 || echo 60)" "$work.log")"
  rm -rf "$work" "$work.log"
  echo "$rc" >"$2"
}
fuzz_status=$(mktemp -d)
for f in build/asan/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  while [ "$(jobs -rp | wc -l)" -ge "${FUZZ_JOBS:-2}" ]; do wait -n || true; done
  fuzz_one "$f" "$fuzz_status/$(basename "$f")" &
done
wait
fuzz_failed=0
for s in "$fuzz_status"/*; do
  [ -e "$s" ] || continue
  [ "$(cat "$s")" = 0 ] || { echo "fuzz target $(basename "$s") failed"; fuzz_failed=1; }
done
rm -rf "$fuzz_status"
[ "$fuzz_failed" = 0 ]

echo "== summary: tests of the gcc build (the sanitizer run passed too)"
grep -E '^[0-9]+% tests passed' build/release-ctest.log

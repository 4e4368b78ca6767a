#!/usr/bin/env bash
# Builds everything and runs all tests: a normal build (warnings as errors), the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short bounded run of every fuzz target.
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
  cmake -S . -B "$dir" -G Ninja -DTAVIX_WERROR=ON "$@" >/dev/null
}

echo "== build (release)"
configure build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$jobs"
echo "== tests (release)"
(cd build/release && ctest -j"$jobs" --timeout 300) | tee build/release-ctest.log

echo "== build (address and undefined-behaviour sanitizers)"
configure build/asan -DCMAKE_BUILD_TYPE=Debug -DTAVIX_SANITIZE=ON -DTAVIX_BENCH=OFF
cmake --build build/asan -j"$jobs"
echo "== tests (sanitizers)"
(cd build/asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$root/tools/lsan.supp" \
  ctest -j"$jobs" --timeout 600)

echo "== fuzz (bounded)"
# The fuzz build uses clang, whose warning set differs; warnings are held to gcc's above.
CC=clang CXX=clang++ configure build/fuzz -DTAVIX_WERROR=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIX_FUZZ=ON \
  -DTAVIX_TESTS=OFF -DTAVIX_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
fuzzers=$(ls fuzz/fuzz_*.cpp 2>/dev/null | xargs -r -n1 basename | sed 's/\.cpp$//')
[ -n "$fuzzers" ] && cmake --build build/fuzz -j"$jobs" --target $fuzzers
for f in build/fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  echo "-- $name"
  "$f" "$work" -max_total_time="${FUZZ_SECONDS:-20}" -rss_limit_mb=2048 -print_final_stats=0 2>&1 | tail -n 3
  rm -rf "$work"
done

echo "== summary: release tests (the sanitizer run passed too)"
grep -E '^[0-9]+% tests passed' build/release-ctest.log

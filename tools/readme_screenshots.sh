#!/usr/bin/env bash
# Makes the screenshots of README.md's "Using the editor" again, from the user journey that draws
# a program from scratch (headless, so the pictures do not depend on the desktop): the program,
# the property sheet of its gate, and the program simulating.
#   bash tools/readme_screenshots.sh [BUILD_DIR]    (default build/dev; configured when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/dev}"
export CCACHE_BASEDIR="$PWD"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target test_journeys
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
TAVIX_HEADLESS=1 TAVIX_JOURNEY_SHOTS="$shots" "$build/tests/journeys/test_journeys" \
    --gtest_filter=FromScratch.English >/dev/null
mkdir -p docs/screenshots
for name in program sheet simulation; do
    cp "$shots/$name.png" "docs/screenshots/$name.png"
done
ls -l docs/screenshots

#!/usr/bin/env bash
# Builds the editor and starts it. Extra arguments (program files) are passed on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
export CCACHE_BASEDIR="$PWD"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j"$(nproc)" --target tavix
exec build/release/shell/tavix "$@"

#!/usr/bin/env bash
# Builds the editor and opens it; every argument goes to the editor (a course file path opens it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTW_BUILD_TESTS=OFF -DTW_BUILD_BENCH=OFF >/dev/null
cmake --build build --target trackwright
exec build/bin/trackwright "$@"

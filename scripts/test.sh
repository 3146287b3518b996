#!/usr/bin/env bash
# Builds everything and runs every test, headless (the window tests run under xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export XDG_CONFIG_HOME="$(mktemp -d)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j2

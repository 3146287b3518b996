#!/usr/bin/env bash
# Builds the editor and opens it; every argument goes to the editor (a course file path opens it).
# The editor runs in the folder this was started from, so a relative course path means what the
# user typed, and so do the relative map paths inside the course.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh" editor
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTW_BUILD_TESTS=OFF -DTW_BUILD_BENCH=OFF -DTW_SANITIZE=OFF -DTW_FUZZ=OFF >/dev/null
cmake --build "$root/build" --target trackwright
exec "$root/build/bin/trackwright" "$@"

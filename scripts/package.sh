#!/usr/bin/env bash
# Builds the Debian package trackwright_<version>_<arch>.deb in build-package/ (optimised), or in
# the build folder given, and prints its path. Install it with
#   sudo apt-get install ./build-package/trackwright_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
# build-essential brings dpkg-dev, whose dpkg-shlibdeps finds the library dependencies.
scripts/deps.sh editor
dir="${1:-build-package}"
if [ $# -eq 0 ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTW_BUILD_TESTS=OFF -DTW_BUILD_BENCH=OFF -DTW_SANITIZE=OFF -DTW_FUZZ=OFF >/dev/null
fi
cmake --build "$dir" --target trackwright trackwright_manual trackwright_changelog
rm -f "$dir"/trackwright_*.deb
cpack --config "$dir/CPackConfig.cmake" -B "$dir" >/dev/null
ls "$dir"/trackwright_*.deb

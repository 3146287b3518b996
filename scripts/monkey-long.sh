#!/usr/bin/env bash
# The random window test for a given time (default 1800 s), not in CI: rounds of 8000 events,
# each from the course first written, with the resident memory every minute and the growth
# after the first five minutes at the end. Runs under nice; TW_BUILD picks the build folder
# (build-asan for the leak checker at exit).
#   scripts/monkey-long.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-1800}"
build="${TW_BUILD:-build}"
export CCACHE_DIR="${CCACHE_DIR:-/work/.ccache}"
cmake --build "$build" --target e2e_tests >/dev/null
log="$build/monkey-long.log"
TW_MONKEY_SECONDS="$seconds" nice -n 19 xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$build/tests/e2e/e2e_tests" --gtest_filter='Monkey.*' 2>&1 | tee "$log"
# Growth from the first report at or after five minutes to the last.
awk '/^monkey/ { t = $2 + 0; kb = $(NF - 1) + 0; if (t >= 300 && !base) base = kb; last = kb }
     END { if (base) printf "resident after 5 min %d KB, at the end %d KB: %+.1f %%\n", base, last, 100 * (last - base) / base;
           else print "ran less than five minutes: no growth figure" }' "$log"

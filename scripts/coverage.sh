#!/usr/bin/env bash
# Builds the tests with coverage instrumentation (gcc --coverage, unoptimised) in build-coverage,
# runs the whole suite and prints the line and branch coverage of the system's own code: every
# source but the Qt back end (framework/qt/ and main.cpp), tests, benchmarks, fuzz targets and
# tools. Branches exclude those only exception unwinding takes and those the compiler proves
# unreachable. The full report per file is left in build-coverage/coverage.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
scripts/deps.sh test
export XDG_CONFIG_HOME="$(mktemp -d)"
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

dir=build-coverage
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=--coverage \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage -DTW_BUILD_TESTS=ON -DTW_BUILD_BENCH=OFF \
  -DTW_SANITIZE=OFF -DTW_FUZZ=OFF >/dev/null
cmake --build "$dir" -j 2
# Notes of sources since removed would be reported as missing files: drop them with their objects.
ninja -C "$dir" -t cleandead >/dev/null
find "$dir" -name '*.gcno' | while read -r note; do [ -e "${note%.gcno}.o" ] || rm -f "$note"; done
find "$dir" -name '*.gcda' -delete
# A failing test still counts what it ran; the figure is printed, and the failure reported.
tests_rc=0
ctest --test-dir "$dir" -j 2 --output-on-failure >"$dir/ctest.log" 2>&1 || tests_rc=$?
tail -n 3 "$dir/ctest.log"

filters=(--root "$root" --exclude "${root}/framework/qt/" --exclude "${root}/main\.cpp"
         --exclude "${root}/tests/" --exclude "${root}/bench/" --exclude "${root}/fuzz/"
         --exclude "${root}/tools/" --exclude "${root}/build"
         --exclude-throw-branches --exclude-unreachable-branches)
gcovr "${filters[@]}" -j 2 --json-summary "$dir/coverage.json" --txt "$dir/coverage.txt" "$dir" >/dev/null

# One row per top-level folder of the code, then the total.
python3 - "$dir/coverage.json" <<'EOF'
import json, sys
from collections import defaultdict
data = json.load(open(sys.argv[1]))
folders = defaultdict(lambda: [0, 0, 0, 0])
for f in data["files"]:
    name = f["filename"]
    folder = name.split("/")[0] + "/" if "/" in name else name
    row = folders[folder]
    row[0] += f["line_covered"]; row[1] += f["line_total"]
    row[2] += f["branch_covered"]; row[3] += f["branch_total"]
def pct(a, b):
    return f"{100.0 * a / b:5.1f} %" if b else "    -  "
print(f"\n{'folder':<12} {'lines covered':<25}{'branches covered'}")
total = [0, 0, 0, 0]
for folder in sorted(folders):
    r = folders[folder]
    total = [t + v for t, v in zip(total, r)]
    print(f"{folder:<12} {r[0]:>7} / {r[1]:<7} {pct(r[0], r[1])}  {r[2]:>6} / {r[3]:<6} {pct(r[2], r[3])}")
print(f"{'total':<12} {total[0]:>7} / {total[1]:<7} {pct(total[0], total[1])}  "
      f"{total[2]:>6} / {total[3]:<6} {pct(total[2], total[3])}")
EOF
if [ "$tests_rc" -ne 0 ]; then
  echo "some tests failed (see ${dir}/ctest.log)"
  exit "$tests_rc"
fi

#!/usr/bin/env bash
# Builds the benchmarks (optimised) and runs every one, then prints one table of medians.
# Numbers depend on the machine: run it on an idle one. The window start-up is timed under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTW_BUILD_TESTS=OFF -DTW_BUILD_BENCH=ON >/dev/null
cmake --build build-bench >&2

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for exe in build-bench/bench/bench_*; do
  name=$(basename "$exe")
  [ "$name" = bench_startup ] && continue
  echo "running $name ..." >&2
  "$exe" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
         --benchmark_format=csv 2>/dev/null | grep '_median"' | sed "s/^\"/\"${name#bench_} /" >> "$out/results.csv" || true
done
for i in 1 2 3 4 5; do
  xvfb-run -a build-bench/bench/bench_startup 2>/dev/null | sed -n 's/^start to first frame: \([0-9]*\) ms.*/\1/p'
done | sort -n | sed -n 3p > "$out/startup.txt"

printf '\n%-62s %14s %14s\n' "benchmark (median of 5)" "wall" "cpu"
printf '%-62s %14s %14s\n' "--------------------------------------------------------------" "--------------" "--------------"
# The frame benchmark also counts the median frame and the drawing thread's CPU time: a few slow
# frames lift the mean per iteration, and the median is the figure that matters.
awk -F, '{ gsub(/"/, "", $1); sub(/_median$/, "", $1);
           printf "%-62s %11.3f %-2s %11.3f %-2s\n", $1, $3, $5, $4, $5
           if ($1 ~ /^render / && $12 != "") {
             name = $1; sub(/\/min_time.*/, "", name); sub(/BM_RenderScene\//, "median frame ", name)
             printf "%-62s %11.3f ms %11.3f ms (drawing thread)\n", name, $12, $11 } }' "$out/results.csv"
printf '%-62s %11s ms\n' "program start to first frame (Xvfb)" "$(cat "$out/startup.txt")"
echo
echo "machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"

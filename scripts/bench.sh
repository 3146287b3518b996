#!/usr/bin/env bash
# Builds the benchmarks (optimised), runs every one five times, then prints one table of medians
# with their spread (standard deviation over mean) and the counters some report.
# Numbers depend on the machine: run it on an idle one. The window start-up is timed under Xvfb.
#   scripts/bench.sh                 print the table
#   scripts/bench.sh --update-readme also put it into README.md (the block after "Speed"), the one
#                                    place the README's figures come from
# A benchmark program that fails or aborts stops the script with its error, not a shorter table.
set -euo pipefail
cd "$(dirname "$0")/.."
update_readme=false
case "${1:-}" in
  --update-readme) update_readme=true ;;
  "") ;;
  *) echo "usage: scripts/bench.sh [--update-readme]" >&2; exit 2 ;;
esac
scripts/deps.sh test
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTW_BUILD_TESTS=OFF -DTW_BUILD_BENCH=ON >/dev/null
cmake --build build-bench >&2

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

fail() {
  echo "bench.sh: $1" >&2
  [ -s "$out/err" ] && sed 's/^/  /' "$out/err" >&2
  exit 1
}

# One benchmark at a time, each with its own CSV header: Google Benchmark's CSV writer aborts
# when a later benchmark of the same program reports a counter the first did not.
for exe in build-bench/bench/bench_*; do
  name=$(basename "$exe")
  [ "$name" = bench_startup ] && continue
  "$exe" --benchmark_list_tests > "$out/list" 2> "$out/err" || fail "$name failed to list its benchmarks"
  while IFS= read -r bench; do
    echo "running $name $bench ..." >&2
    filter="^$(printf '%s' "$bench" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$"
    "$exe" --benchmark_filter="$filter" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
           --benchmark_format=csv > "$out/one.csv" 2> "$out/err" || fail "$name $bench failed"
    grep -q '_median"' "$out/one.csv" || fail "$name $bench printed no median"
    # name, wall, cpu, unit, spread (standard deviation over mean of the wall time, in %), then
    # "counter=value" for each counter set.
    awk -F, -v prog="${name#bench_}" '
      /^name,/ { for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); col[$i] = i } next }
      { gsub(/"/, "", $1) }
      $1 ~ /_mean$/ { mean = $col["real_time"] }
      $1 ~ /_stddev$/ { stddev = $col["real_time"] }
      $1 ~ /_median$/ { sub(/_median$/, "", $1); row = $1; wall = $col["real_time"]; cpu = $col["cpu_time"]
                        unit = $col["time_unit"]; extra = ""
                        for (i = col["error_message"] + 1; i <= NF; i++)
                          if ($i != "") { for (k in col) if (col[k] == i) extra = extra " " k "=" $i } }
      END { printf "%s %s|%s|%s|%s|%s|%s\n", prog, row, wall, cpu, unit, (mean > 0 ? 100 * stddev / mean : 0), extra }' \
      "$out/one.csv" \
      >> "$out/results.txt"
  done < "$out/list"
done

# Five program starts, the median of them.
starts() {
  for i in 1 2 3 4 5; do
    xvfb-run -a build-bench/bench/bench_startup "$@" 2> "$out/err" | sed -n 's/^start to first frame: \([0-9]*\) ms.*/\1/p'
  done | sort -n | sed -n 3p
}
startup=$(starts)
build-bench/bench/bench_startup --write-large "$out" 2> "$out/err" || fail "bench_startup --write-large failed"
startup_large=$(starts "$out/large.course")
[ -n "$startup" ] && [ -n "$startup_large" ] || fail "bench_startup printed no start time"

table() {
  echo "benchmark (median of 5 runs; spread: their standard deviation / mean)       wall            cpu  spread"
  echo "----------------------------------------------------------------- -------------- -------------- -------"
  # The frame benchmarks also count the median frame and the drawing thread's CPU time: a few slow
  # frames lift the mean per iteration, and the median is the figure that matters. The floor is the
  # same frame's vertices from one prebuilt buffer, measured in the same run.
  awk -F'|' '{ printf "%-65s %11.3f %-2s %11.3f %-2s %6.1f%%\n", $1, $2, $4, $3, $4, $5
               if ($6 ~ /median_ms=/) {
                 name = $1; sub(/\/min_time.*/, "", name); sub(/BM_RenderScene\//, "median frame ", name)
                 sub(/BM_Floor\//, "floor: median frame ", name)
                 sub(/BM_HoverChange\//, "hover change, handler + frame ", name)
                 sub(/BM_FirstFrame\//, "first frame of a course just opened ", name)
                 sub(/BM_EmptyMoves\//, "move over empty ground, handler (no frame) ", name)
                 sub(/BM_DragOnePoint\//, "one-point drag move, handler + frame ", name)
                 m = $6; sub(/.*median_ms=/, "", m); sub(/ .*/, "", m)
                 c = $6; sub(/.*caller_cpu_ms=/, "", c); sub(/ .*/, "", c)
                 printf "%-65s %11.3f ms %11.3f ms (drawing thread)\n", name, m, c
               } else if ($6 != "") {
                 n = split(substr($6, 2), kv, " ")
                 for (i = 1; i <= n; i++) { split(kv[i], p, "="); printf "%-65s %14.0f\n", "    " p[1], p[2] }
               } }' "$out/results.txt"
  printf '%-65s %11s ms\n' "program start to first frame (Xvfb)" "$startup"
  printf '%-65s %11s ms\n' "... with 10000/10000 and a 4096 x 4096 map" "$startup_large"
  echo
  echo "machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo)," \
       "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'); load $(cut -d' ' -f1 /proc/loadavg);" \
       "$(date -u +'%-d %B %Y')"
}
table > "$out/table.txt"
echo
cat "$out/table.txt"

if $update_readme; then
  # The first fenced block after the "## Speed" heading is the table.
  awk -v table="$out/table.txt" '
    /^## / { speed = ($0 == "## Speed") }
    speed && !done && /^```/ { if (!inside) { print; while ((getline line < table) > 0) print line; inside = 1; next }
                               inside = 0; done = 1 }
    !inside { print }' README.md > "$out/README.md"
  cp "$out/README.md" README.md
  echo "README.md: the Speed table replaced" >&2
fi

#!/usr/bin/env bash
# A deep run of every libFuzzer target, not in CI: each for SECONDS (default 1800) or until
# TW_FUZZ_RUNS executions, under nice, from the corpus kept in fuzz/corpus/<name> (plus the
# sample folders the CI stage seeds it with). Inputs that reach new code are then merged
# into fuzz/corpus/<name> (libFuzzer's -merge=1 keeps only those), and one line per target
# gives its executions and coverage, as the README's table lists them.
#   scripts/fuzz-deep.sh [SECONDS] [TARGET...]
# Crash reproducers go to build-fuzz/artifacts/<target>/.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-1800}"
shift $(( $# > 0 ? 1 : 0 ))
runs="${TW_FUZZ_RUNS:--1}"
rss_mb="${TW_FUZZ_RSS_MB:-2048}"

# target, max_len, extra seed folders (read only)
targets=(
  "fuzz_course 16384"
  "fuzz_course_check 4096"
  "fuzz_catalogue 16384 res"
  "fuzz_bmp 65536 tests/data/bmpsuite"
  "fuzz_tga 65536 tests/data/tga res"
  "fuzz_text_escape 4096"
  "fuzz_object_lines 4096"
)
wanted=" $* "

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTW_FUZZ=ON -DTW_SANITIZE=OFF -DTW_BUILD_TESTS=OFF -DTW_BUILD_BENCH=OFF >/dev/null || exit 1

failed=()
lines=()
for entry in "${targets[@]}"; do
  read -r target max_len seeds <<<"$entry"
  [ -n "${*:-}" ] && [[ "$wanted" != *" $target "* ]] && continue
  nice -n 19 cmake --build build-fuzz --target "$target" >/dev/null || { failed+=("$target"); continue; }
  kept="fuzz/corpus/${target#fuzz_}"
  work="build-fuzz/deep/${target}"
  artifacts="build-fuzz/artifacts/${target}"
  log="build-fuzz/deep/${target}.log"
  rm -rf "$work"
  mkdir -p "$kept" "$work" "$artifacts"
  echo "--- ${target}: ${seconds} s, runs ${runs}"
  started=$(date +%s)
  # shellcheck disable=SC2086
  nice -n 19 "build-fuzz/fuzz/${target}" -max_total_time="$seconds" -runs="$runs" -rss_limit_mb="$rss_mb" \
    -max_len="$max_len" -timeout=30 -print_final_stats=1 -artifact_prefix="${artifacts}/" \
    "$work" "$kept" $seeds >"$log" 2>&1
  rc=$?
  took=$(($(date +%s) - started))
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  status=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -oE '(cov|ft): [0-9]+' | tr '\n' ' ')
  if [ "$rc" -ne 0 ]; then
    grep -m1 -A20 -E 'property broken|runtime error|ERROR: ' "$log" || tail -n 20 "$log"
    failed+=("$target")
  fi
  before=$(find "$kept" -type f | wc -l)
  nice -n 19 "build-fuzz/fuzz/${target}" -merge=1 -max_len="$max_len" -rss_limit_mb="$rss_mb" -timeout=30 \
    "$kept" "$work" >>"$log" 2>&1 || failed+=("${target} (merge)")
  after=$(find "$kept" -type f | wc -l)
  line="| ${target} | $(date -u +%Y-%m-%d) | ${executions:-0} in ${took} s (${speed:-?}/s) | ${status:-no status} | ${after} files (+$((after - before))) |"
  echo "$line"
  lines+=("$line")
done
echo
echo "| Target | Run | Executions | Coverage | Kept corpus |"
echo "|---|---|---|---|---|"
printf '%s\n' "${lines[@]}"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "Failed: ${failed[*]}"
  exit 1
fi

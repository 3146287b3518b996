#!/usr/bin/env bash
# Builds everything and runs every test, headless (the window tests run under xvfb-run); then
# the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan), then
# each libFuzzer target for a bounded time (build-fuzz, clang).
#
#   TW_STAGES         which of "normal asan fuzz" to run (default all three)
#   TW_FUZZ_SECONDS   seconds per fuzz target (default 60; 0 runs only the seed corpora)
#   TW_FUZZ_RSS_MB    memory limit of a fuzz run in MB (default 2048)
#
# A fuzz crash leaves its reproducer in build-fuzz/artifacts/<target>/ (the path is printed);
# `build-fuzz/fuzz/<target> <file>` replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
scripts/deps.sh
export XDG_CONFIG_HOME="$(mktemp -d)"
export XDG_STATE_HOME="$XDG_CONFIG_HOME/state"
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

stages=" ${TW_STAGES:-normal asan fuzz} "
fuzz_seconds="${TW_FUZZ_SECONDS:-60}"
fuzz_rss_mb="${TW_FUZZ_RSS_MB:-2048}"
jobs=2
summary=()

# run_stage NAME COMMAND...: runs one stage in a subshell (so `set -e` holds inside it),
# prints its closing line, and stops the script with the stage's status when it fails.
run_stage() {
  local name="$1"
  shift
  local start=$SECONDS rc=0
  echo "=== ${name}: start"
  set +e
  (set -euo pipefail; "$@")
  rc=$?
  set -e
  local line
  if [ "$rc" -eq 0 ]; then
    line="PASS  ${name} ($((SECONDS - start)) s)"
  else
    line="FAIL  ${name} (exit ${rc}, $((SECONDS - start)) s)"
  fi
  echo "=== ${line}"
  summary+=("$line")
  if [ "$rc" -ne 0 ]; then
    print_summary
    exit "$rc"
  fi
}

print_summary() {
  echo "=== Summary"
  local line
  for line in "${summary[@]}"; do
    echo "    ${line}"
  done
}

build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j "$jobs"
}

build_asan() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTW_SANITIZE=ON -DTW_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan -j "$jobs"
}

build_fuzz() {
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTW_FUZZ=ON -DTW_BUILD_TESTS=OFF -DTW_BUILD_BENCH=OFF >/dev/null
  cmake --build build-fuzz -j "$jobs" --target fuzzers
}

# fuzz TARGET MAX_LEN SEED_DIR...: new inputs go to build-fuzz/corpus/TARGET, the seed
# folders are only read. Every target runs even when one crashes; any crash fails the stage.
fuzz_failed=()
fuzz() {
  local target="$1" max_len="$2"
  shift 2
  local corpus="build-fuzz/corpus/${target}" artifacts="build-fuzz/artifacts/${target}"
  mkdir -p "$corpus" "$artifacts"
  local limit=(-max_total_time="$fuzz_seconds")
  if [ "$fuzz_seconds" -eq 0 ]; then
    limit=(-runs=0)
  fi
  local seeds=() dir
  for dir in "$@"; do
    [ -d "$dir" ] && seeds+=("$dir")
  done
  local rc=0
  echo "--- ${target}: ${fuzz_seconds} s"
  "build-fuzz/fuzz/${target}" "${limit[@]}" -rss_limit_mb="$fuzz_rss_mb" -max_len="$max_len" \
    -timeout=30 -print_final_stats=1 -artifact_prefix="${artifacts}/" \
    "$corpus" "${seeds[@]}" >"build-fuzz/${target}.log" 2>&1 || rc=$?
  grep -E '^(stat::number_of_executed_units|stat::new_units_added|#[0-9]+[[:space:]]+DONE)' \
    "build-fuzz/${target}.log" || true
  if [ "$rc" -ne 0 ]; then
    # The head of the report (what broke, where) and libFuzzer's closing lines.
    grep -m1 -A24 -E 'property broken|runtime error|ERROR: ' \
      "build-fuzz/${target}.log" || tail -n 30 "build-fuzz/${target}.log"
    grep -E '^SUMMARY:|Test unit written' "build-fuzz/${target}.log" || true
    local found
    for found in "${artifacts}"/*; do
      [ -e "$found" ] && echo "REPRODUCER: ${root}/${found}"
    done
    fuzz_failed+=("$target")
  fi
}

run_fuzzers() {
  local data="${TW_TESTDATA_DIR:-${root}/../shared/testdata}"
  rm -rf build-fuzz/artifacts
  fuzz fuzz_course 16384 fuzz/corpus/course
  fuzz fuzz_catalogue 16384 fuzz/corpus/catalogue res
  fuzz fuzz_bmp 65536 "${data}/bmpsuite"
  fuzz fuzz_tga 65536 "${data}/tga" res
  fuzz fuzz_text_escape 4096 fuzz/corpus/text_escape
  fuzz fuzz_object_lines 4096 fuzz/corpus/object_lines
  if [ "${#fuzz_failed[@]}" -gt 0 ]; then
    echo "Fuzz targets that failed: ${fuzz_failed[*]}"
    return 1
  fi
}

if [[ "$stages" == *" normal "* ]]; then
  run_stage "build" build
  run_stage "ctest" ctest --test-dir build --output-on-failure -j "$jobs"
fi
if [[ "$stages" == *" asan "* ]]; then
  run_stage "asan build" build_asan
  run_stage "asan ctest" ctest --test-dir build-asan --output-on-failure -j "$jobs"
fi
if [[ "$stages" == *" fuzz "* ]]; then
  run_stage "fuzz build" build_fuzz
  run_stage "fuzz (${fuzz_seconds} s per target)" run_fuzzers
fi
print_summary
# Every stage that ran passed (a failing one has already ended the script).
echo "stages: ${#summary[@]} passed, 0 failed"

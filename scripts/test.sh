#!/usr/bin/env bash
# Builds everything and runs every test, headless (the window tests run under xvfb-run), and
# builds the Debian package and checks what it holds (build-test); then the same tests built with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan), then each libFuzzer target for a
# bounded time (build-fuzz, clang). Each stage has its own build folder and passes every option
# that matters, so whatever configured build/ (scripts/run.sh) or these folders before cannot
# leave old test programs running.
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
scripts/deps.sh test
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
  cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTW_BUILD_TESTS=ON -DTW_BUILD_BENCH=ON -DTW_SANITIZE=OFF -DTW_FUZZ=OFF >/dev/null
  cmake --build build-test -j "$jobs"
}

# The package from the tested build (stripped), and its contents list and dependencies.
check_package() {
  scripts/package.sh build-test
  local debs=(build-test/trackwright_*_"$(dpkg --print-architecture)".deb)
  [ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one package, found: ${debs[*]}"; return 1; }
  local deb="${debs[0]}" version
  version=$(dpkg-deb -f "$deb" Version)
  [ "$deb" = "build-test/trackwright_${version}_$(dpkg --print-architecture).deb" ] ||
    { echo "package name does not match its version ${version}: ${deb}"; return 1; }
  local expected="./usr/bin/trackwright
./usr/share/applications/trackwright.desktop
./usr/share/icons/hicolor/scalable/apps/trackwright.svg
./usr/share/trackwright/fontGray.tga
./usr/share/trackwright/xfiles.txt" files
  files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
  if [ "$files" != "$expected" ]; then
    echo "package contents differ from the expected list:"
    diff <(echo "$expected") <(echo "$files") || true
    return 1
  fi
  local depends names dep
  depends=$(dpkg-deb -f "$deb" Depends)
  names=$(echo "$depends" | tr ',|' '\n\n' | sed 's/^ *//; s/[ (].*//')
  for dep in libc6 libqt6widgets6 libqt6openglwidgets6 libgl1-mesa-dri qt6-qpa-plugins; do
    grep -qx "$dep" <<<"$names" || { echo "package does not depend on ${dep}: ${depends}"; return 1; }
  done
  echo "${deb}: $(echo "$files" | wc -l) files, depends on ${depends}"
}

build_asan() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTW_SANITIZE=ON -DTW_FUZZ=OFF -DTW_BUILD_TESTS=ON -DTW_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan -j "$jobs"
}

build_fuzz() {
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTW_FUZZ=ON -DTW_SANITIZE=OFF -DTW_BUILD_TESTS=OFF -DTW_BUILD_BENCH=OFF >/dev/null
  cmake --build build-fuzz -j "$jobs" --target fuzzers
}

# fuzz TARGET MAX_LEN SEED_DIR...: new inputs go to build-fuzz/corpus/TARGET, the seed
# folders are only read; a seed folder that is missing or holds no file fails the target (a
# fuzzer without its seeds reaches a fraction of the code and would still pass). The time runs
# in slices of at most 10 s with a progress line after each; every slice starts from the corpus
# the earlier ones grew. Every target runs even when one fails; any failure fails the stage.
fuzz_failed=()
fuzz() {
  local target="$1" max_len="$2"
  shift 2
  local corpus="build-fuzz/corpus/${target}" artifacts="build-fuzz/artifacts/${target}"
  local log="build-fuzz/${target}.log"
  mkdir -p "$corpus" "$artifacts"
  local dir
  for dir in "$@"; do
    if [ -z "$(find "$dir" -type f -print -quit 2>/dev/null)" ]; then
      echo "--- ${target}: seed folder missing or empty: ${root}/${dir}"
      fuzz_failed+=("$target")
      return 0
    fi
  done
  echo "--- ${target}: ${fuzz_seconds} s"
  : >"$log"
  local rc=0 done_s=0 slice executions=0 ran line
  while :; do
    local limit=(-runs=0)
    slice=$((fuzz_seconds - done_s))
    [ "$slice" -gt 10 ] && slice=10
    [ "$slice" -gt 0 ] && limit=(-max_total_time="$slice")
    "build-fuzz/fuzz/${target}" "${limit[@]}" -rss_limit_mb="$fuzz_rss_mb" -max_len="$max_len" \
      -timeout=30 -print_final_stats=1 -artifact_prefix="${artifacts}/" \
      "$corpus" "$@" >"${log}.slice" 2>&1 || rc=$?
    cat "${log}.slice" >>"$log"
    ran=$(sed -n 's/^stat::number_of_executed_units: *//p' "${log}.slice" | tail -n 1)
    executions=$((executions + ${ran:-0}))
    done_s=$((done_s + slice))
    # The last status line has the coverage (cov), features (ft) and corpus size.
    line=$(grep -E '^#[0-9]+' "${log}.slice" | tail -n 1 | grep -oE '(cov|ft|corp): [^ ]+' | tr '\n' ' ')
    echo "    ${target} ${done_s}/${fuzz_seconds} s: ${executions} executions, ${line:-no status line}"
    [ "$rc" -ne 0 ] && break
    [ "$done_s" -ge "$fuzz_seconds" ] && break
  done
  rm -f "${log}.slice"
  if [ "$rc" -ne 0 ]; then
    # The head of the report (what broke, where) and libFuzzer's closing lines.
    grep -m1 -A24 -E 'property broken|runtime error|ERROR: ' "$log" || tail -n 30 "$log"
    grep -E '^SUMMARY:|Test unit written' "$log" || true
    local found
    for found in "${artifacts}"/*; do
      [ -e "$found" ] && echo "REPRODUCER: ${root}/${found}"
    done
    fuzz_failed+=("$target")
  fi
}

run_fuzzers() {
  rm -rf build-fuzz/artifacts
  fuzz fuzz_course 16384 fuzz/corpus/course
  fuzz fuzz_catalogue 16384 fuzz/corpus/catalogue res
  fuzz fuzz_bmp 65536 fuzz/corpus/bmp tests/data/bmpsuite
  fuzz fuzz_tga 65536 fuzz/corpus/tga tests/data/tga res
  fuzz fuzz_text_escape 4096 fuzz/corpus/text_escape
  fuzz fuzz_object_lines 4096 fuzz/corpus/object_lines
  if [ "${#fuzz_failed[@]}" -gt 0 ]; then
    echo "Fuzz targets that failed: ${fuzz_failed[*]}"
    return 1
  fi
}

if [[ "$stages" == *" normal "* ]]; then
  run_stage "build" build
  run_stage "ctest" ctest --test-dir build-test --output-on-failure -j "$jobs"
  run_stage "package" check_package
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

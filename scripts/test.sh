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
./usr/share/doc/trackwright/changelog.gz
./usr/share/doc/trackwright/copyright
./usr/share/icons/hicolor/scalable/apps/trackwright.svg
./usr/share/man/man1/trackwright.1.gz
./usr/share/metainfo/org.trackwright.trackwright.metainfo.xml
./usr/share/mime/packages/trackwright.xml
./usr/share/thumbnailers/trackwright.thumbnailer
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
  for dep in libc6 libqt6widgets6 libqt6openglwidgets6 libgl1-mesa-dri qt6-qpa-plugins qt6-translations-l10n; do
    grep -qx "$dep" <<<"$names" || { echo "package does not depend on ${dep}: ${depends}"; return 1; }
  done
  echo "${deb}: $(echo "$files" | wc -l) files, depends on ${depends}"
  check_desktop_files "$deb"
}

# The package as the desktop sees it: Debian's checker, the validators of the desktop entry and
# the metadata, the manual against --help, the file type, and the thumbnailer's own command line
# on the sample and on files that are no course, all from the package unpacked into a scratch root.
check_desktop_files() {
  local deb="$1" scratch
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"; trap - RETURN' RETURN
  # No errors and no warnings; the informational tags left are listed in the README.
  lintian --fail-on error,warning "$deb"
  dpkg-deb -x "$deb" "$scratch/root"
  local share="$scratch/root/usr/share" bin="$scratch/root/usr/bin/trackwright"
  desktop-file-validate "$share/applications/trackwright.desktop"
  # --no-net: the screenshot and home page are not fetched (this machine has no network).
  appstreamcli validate --no-net --explain "$share/metainfo/org.trackwright.trackwright.metainfo.xml"
  grep -q "<release version=\"$(dpkg-deb -f "$deb" Version)\"" "$share/metainfo/org.trackwright.trackwright.metainfo.xml" ||
    { echo "the metadata has no release entry for this version"; return 1; }

  # Every entry of --help is said in the manual page, and both name the same options.
  local help manual entry
  help=$("$bin" --help | awk '/^ {20}/ { sub(/^ +/, ""); last = last " " $0; next } { if (NR > 1) print last; last = $0 } END { print last }' |
    sed -E 's/^usage: +//; s/^ +//; s/^Exit status: //; s/ +/ /g' | grep -v '^$')
  manual=$(LC_ALL=C MANWIDTH=2000 man -l "$share/man/man1/trackwright.1.gz" | col -b | tr -s ' \t\n' '   ')
  while IFS= read -r entry; do
    grep -qF -- "$entry" <<<"$manual" || { echo "--help says what the manual page does not: ${entry}"; return 1; }
  done <<<"$help"
  diff <("$bin" --help | grep -oE -- '--[a-z]+' | sort -u) <(grep -oE -- '--[a-z]+' <<<"$manual" | sort -u) ||
    { echo "--help and the manual page name different options"; return 1; }

  # No maintainer scripts: shared-mime-info and desktop-file-utils (installed by deps.sh) watch
  # the folders the package fills with file triggers, and dpkg runs them after an install.
  local watched
  for watched in /usr/share/mime/packages /usr/share/applications; do
    grep -qxh "interest-noawait ${watched}" /var/lib/dpkg/info/*.triggers ||
      { echo "no installed package's trigger watches ${watched}"; return 1; }
  done
  ! dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'inst$|rm$' || { echo "the package has maintainer scripts"; return 1; }
  # What those triggers do: then the file type is known by name and by content, and the editor
  # opens it.
  local data="$scratch/data"
  mkdir -p "$data/mime/packages"
  cp "$share/mime/packages/trackwright.xml" "$data/mime/packages/"
  XDG_DATA_HOME="$data" update-mime-database "$data/mime"
  update-desktop-database "$share/applications"
  grep -qx 'application/x-trackwright-course=trackwright.desktop;' "$share/applications/mimeinfo.cache" ||
    { echo "the desktop database does not open courses with the editor"; return 1; }
  cp samples/hills.crs "$scratch/course-without-extension"
  printf 'hills.crs\n' >"$scratch/notes.txt"
  local file type expected
  for file in samples/hills.crs "$scratch/course-without-extension" "$scratch/notes.txt"; do
    type=$(XDG_DATA_HOME="$data" xdg-mime query filetype "$file")
    expected=application/x-trackwright-course
    [[ "$file" == *.txt ]] && expected=text/plain
    [ "$type" = "$expected" ] || { echo "xdg-mime: ${file} is ${type}, not ${expected}"; return 1; }
  done

  check_thumbnailer "$scratch" "$share/thumbnailers/trackwright.thumbnailer"
}

# Runs the thumbnailer entry's Exec line as a file manager does (%i the course, %o the PNG, %s
# the size), with the program from the scratch root, in an empty folder with an empty home, and
# checks that it writes a PNG of the size asked for and nothing else, and that it refuses files
# that are no course within a second, writing nothing.
check_thumbnailer() {
  local scratch="$1" entry="$2"
  local exec_line home="$scratch/home"
  exec_line=$(sed -n 's/^Exec=//p' "$entry")
  mkdir -p "$home/cwd" "$scratch/out" "$scratch/hostile"
  # thumbnail COURSE SIZE OUT: the entry's command line, run; its status.
  thumbnail() {
    local line="${exec_line//%i/$1}"
    line="${line//%s/$2}"
    line="${line//%o/$3}"
    (cd "$home/cwd" && env -i PATH="$scratch/root/usr/bin:/usr/bin:/bin" HOME="$home" \
      XDG_CACHE_HOME="$home/cache" XDG_CONFIG_HOME="$home/config" XDG_STATE_HOME="$home/state" \
      timeout 20 $line >/dev/null 2>&1)
  }
  local size png width height
  for size in 128 256; do
    png="$scratch/out/hills-${size}.png"
    thumbnail "$PWD/samples/hills.crs" "$size" "$png" || { echo "no thumbnail of the sample at ${size}"; return 1; }
    width=$((16#$(od -An -tx1 -j16 -N4 "$png" | tr -d ' \n')))
    height=$((16#$(od -An -tx1 -j20 -N4 "$png" | tr -d ' \n')))
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] && [ "$width" -le "$size" ] &&
      [ "$height" -le "$size" ] && { [ "$width" -eq "$size" ] || [ "$height" -eq "$size" ]; } ||
      { echo "thumbnail of the sample at ${size}: not a PNG of longer side ${size} (${width} x ${height})"; return 1; }
  done
  [ -z "$(find "$home" -mindepth 1 ! -path "$home/cwd")" ] ||
    { echo "the thumbnailer wrote outside its output:"; find "$home" -mindepth 1; return 1; }

  local h="$scratch/hostile"
  mkfifo "$h/fifo.crs"
  mkdir "$h/folder.crs"
  truncate -s 17M "$h/huge.crs"
  # Random bytes without a digit: no count can be more than zero, so nothing is a course (with
  # digits, one run in twenty or so reads as a few records and is rightly drawn).
  head -c 65536 /dev/urandom | tr -d '0-9' >"$h/random.crs"
  # A count of two thousand million handles over a few bytes: tens of thousands of empty
  # records, more than a thumbnail draws.
  printf '#CourseData : NumOfHandle HandleData... TexLuminance\r\n2000000000\r\n1 2 3\r\n' >"$h/claims-too-much.crs"
  local file start elapsed_ms
  for file in "$h/fifo.crs" "$h/folder.crs" "$h/huge.crs" "$h/random.crs" /dev/zero "$h/claims-too-much.crs"; do
    rm -f "$scratch/out/refused.png"
    start=$(date +%s%N)
    if thumbnail "$file" 256 "$scratch/out/refused.png"; then
      echo "the thumbnailer took ${file}"
      return 1
    fi
    elapsed_ms=$((($(date +%s%N) - start) / 1000000))
    [ "$elapsed_ms" -lt 1000 ] || { echo "refusing ${file} took ${elapsed_ms} ms"; return 1; }
    [ ! -e "$scratch/out/refused.png" ] || { echo "refusing ${file} left a PNG"; return 1; }
    echo "thumbnailer refused $(basename "$file") in ${elapsed_ms} ms"
  done
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
# fuzzer without its seeds reaches a fraction of the code and would still pass). Every target
# runs even when one fails; any failure fails the stage.
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
  # One run for the whole time: a run starts by executing every seed, which for a large kept
  # corpus takes seconds, so runs of a few seconds each would spend most of their time there.
  local limit=(-runs=0)
  [ "$fuzz_seconds" -gt 0 ] && limit=(-max_total_time="$fuzz_seconds")
  "build-fuzz/fuzz/${target}" "${limit[@]}" -rss_limit_mb="$fuzz_rss_mb" -max_len="$max_len" \
    -timeout=30 -print_final_stats=1 -artifact_prefix="${artifacts}/" \
    "$corpus" "$@" >"$log" 2>&1 &
  local pid=$! rc=0 waited=0 line executions
  # A progress line every 10 s from the fuzzer's last status line (libFuzzer writes one on each
  # new input and at every power of two of executions, so its count may lag behind).
  while kill -0 "$pid" 2>/dev/null; do
    sleep 1
    waited=$((waited + 1))
    if [ $((waited % 10)) -eq 0 ] && kill -0 "$pid" 2>/dev/null; then
      line=$(grep -aE '^#[0-9]+' "$log" | tail -n 1 || true)
      executions=${line%%[!#0-9]*}
      echo "    ${target} ${waited} s: at least ${executions#\#} executions, $(grep -oE '(cov|ft|corp): [^ ]+' <<<"$line" | tr '\n' ' ' || true)"
    fi
  done
  wait "$pid" || rc=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  line=$(grep -aE '^#[0-9]+' "$log" | tail -n 1 | grep -oE '(cov|ft|corp): [^ ]+' | tr '\n' ' ' || true)
  echo "    ${target} done in ${waited} s: ${executions:-?} executions ($(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)/s), ${line:-no status line}"
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
  # Inputs of at most 4 KB here (the deep runs take 16 KB): each input is read three times over,
  # so long ones cost the short run most of its executions, and 4 KB still holds tokens longer
  # than the 1 KB a number keeps whole.
  fuzz fuzz_course 4096 fuzz/corpus/course
  fuzz fuzz_course_check 4096 fuzz/corpus/course_check
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

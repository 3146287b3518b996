#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that are missing, for one of two uses:
#   scripts/deps.sh editor   what building and running the editor needs (scripts/run.sh)
#   scripts/deps.sh test     that, plus the tests, benchmarks, sanitizers, fuzzers, coverage
#                            and the Debian package (scripts/test.sh and the other scripts)
set -euo pipefail

editor=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6opengl6-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri libpng-dev libtinygltf-dev libxcb-xkb-dev libx11-dev
  fonts-ipafont-gothic qt6-translations-l10n
)
test=(
  libgtest-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core locales xdotool x11-xserver-utils
  clang
  gcovr dpkg-dev
  lintian appstream desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl man-db bsdextrautils
)

case "${1:-}" in
  editor) packages=("${editor[@]}") ;;
  test) packages=("${editor[@]}" "${test[@]}") ;;
  *) echo "usage: scripts/deps.sh editor|test" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# The glTF validator the tests run is an npm package: Node and npm from Debian unless some are
# already there (a Node from elsewhere brings its own npm, which Debian's would clash with).
if [ "$1" = test ] && ! command -v npm >/dev/null 2>&1; then
  missing+=(nodejs npm)
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The fuzzers link the sanitizer and libFuzzer runtime of the clang that `clang` is, packaged per
# version (libclang-rt-14-dev on Debian 12, libclang-rt-18-dev on Ubuntu 24.04); where no such
# package exists, the runtime comes with clang itself.
if [ "$1" = test ]; then
  major=$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)
  rt="libclang-rt-${major}-dev"
  if [ -n "$major" ] && ! dpkg-query -W -f='${Status}' "$rt" 2>/dev/null | grep -q "install ok installed"; then
    apt-cache show "$rt" >/dev/null 2>&1 || "${sudo_cmd[@]}" apt-get update -qq
    if apt-cache show "$rt" >/dev/null 2>&1; then
      echo "Installing: $rt"
      DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$rt"
    fi
  fi
fi

# The tests prove the course file ignores the user's locale: they need a comma locale.
if [ "$1" = test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ -f /etc/locale.gen ]; then
    "${sudo_cmd[@]}" sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null
  fi
fi

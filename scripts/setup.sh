#!/usr/bin/env bash
# Installs the Debian packages the project needs that are not installed yet:
#   scripts/setup.sh run    what building and running the program need
#   scripts/setup.sh test   that, and what the tests, benchmarks and fuzzers need (the default),
#                           the web build's tools among them: its tests run in the test command
#   scripts/setup.sh web    what the web build needs: the WebAssembly compiler, Node.js and a browser
# Idempotent: runs `apt-get update` once, and only when something is missing. Where apt-get does not
# exist, it says what to install (README: Fedora and Arch names) and goes on; CMake then reports
# whatever is still missing.
set -euo pipefail
what=${1:-test}

run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-tools-dev qt6-l10n-tools libsdl2-dev zlib1g-dev libstb-dev libassimp-dev
  pybind11-dev python3-dev libxcb1-dev
  qt6-qpa-plugins qt6-translations-l10n fonts-noto-cjk
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev python3-pytest
  clang clang-format ccache
  xvfb xauth
  desktop-file-utils appstream shared-mime-info libglib2.0-bin dpkg-dev file
  admesh unzip lintian valgrind
  fonts-dejavu-core fonts-noto-core fonts-liberation2 openbox
)
# Debian's emscripten compiles offline with the system's clang; its zlib source is the web build's zlib.
web_packages=(
  emscripten chromium cmake ninja-build python3 zlib1g-dev
)
case $what in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}" "${web_packages[@]}") ;;
  web) packages=("${web_packages[@]}") ;;
  *) echo "usage: scripts/setup.sh [run|test|web]" >&2; exit 2 ;;
esac

if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
  echo "scripts/setup.sh: apt-get not found. Install with your system's package manager the"
  echo "equivalents of these Debian packages (the README names them for Fedora and Arch):"
  echo "  ${packages[*]}"
  echo "Going on: CMake reports what is still missing."
  exit 0
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

SUDO=()
if [ "$(id -u)" -ne 0 ]; then SUDO=(sudo); fi
updated=false
apt_install() {
  local missing=()
  for p in "$@"; do installed "$p" || missing+=("$p"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  # sudo starts with a clean environment: the setting is passed on explicitly.
  if [ "$updated" = false ]; then
    "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    updated=true
  fi
  "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

apt_install "${packages[@]}"

# The glTF validator of the export tests runs on Node.js. A machine may have a Node.js of its own
# with npm inside it, which Debian's npm package conflicts with: only without npm are they installed.
# The web build's tests run the WebAssembly under Node.js too.
if [ "$what" != run ] && ! command -v npm >/dev/null; then apt_install nodejs npm; fi

# The fuzzers need the sanitizer and libFuzzer runtime of the clang that is installed.
if [ "$what" = test ] && command -v clang >/dev/null; then
  major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -1)
  if [ -n "$major" ]; then
    runtime=libclang-rt-$major-dev
    if apt-cache show "$runtime" >/dev/null 2>&1; then
      apt_install "$runtime"
    elif ! installed "$runtime"; then
      # Older releases ship the runtime inside the clang package itself.
      echo "scripts/setup.sh: no $runtime package; the fuzzers use whatever runtime clang $major has."
    fi
  fi
fi

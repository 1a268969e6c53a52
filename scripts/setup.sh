#!/usr/bin/env bash
# Installs every Debian package the project needs that is not installed yet.
# Idempotent: runs `apt-get update` once, and only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libsdl2-dev zlib1g-dev libstb-dev libassimp-dev
  pybind11-dev python3-dev
  libgtest-dev libgmock-dev libbenchmark-dev python3-pytest
  clang libclang-rt-14-dev
  xvfb xauth fonts-noto-cjk
  admesh nodejs npm unzip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"

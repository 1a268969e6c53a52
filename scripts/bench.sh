#!/usr/bin/env bash
# Builds and runs every benchmark under bench/ (Release build).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc)"
cd build/release/bin
for b in ../bench/*; do
  if [ -f "$b" ] && [ -x "$b" ]; then echo "== $(basename "$b")"; "$b" "$@"; fi
done

#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it beside its data files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc)" --target kubisto
# The wall pictures are found relative to the current directory.
cd build/release/bin
exec ./kubisto "$@"

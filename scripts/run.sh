#!/usr/bin/env bash
# Installs what building and running need, builds the program (without the tests and benchmarks)
# and starts it beside its data files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DKUBISTO_BUILD_BENCH=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target kubisto
# The wall pictures are found relative to the current directory.
cd build/release/bin
exec ./kubisto "$@"

#!/usr/bin/env bash
# Builds and runs every benchmark under bench/ (Release build). Extra arguments go to each benchmark,
# e.g. --benchmark_filter=Room.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKUBISTO_BUILD_BENCH=ON >/dev/null
names=()
for src in bench/*.cpp; do names+=("$(basename "$src" .cpp)"); done
cmake --build build/release -j"$(nproc)" --target "${names[@]}"
# Benchmarks run beside the program, where the libraries and data files lie.
cd build/release/bin
for name in "${names[@]}"; do
  echo "== $name"
  "./$name" "$@"
done

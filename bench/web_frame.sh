#!/usr/bin/env bash
# The frame of the full room at 416 x 338 on one thread: natively (Google Benchmark: the workroom's
# redraw and the engine's bare frame) and as WebAssembly under node, in the same minutes.
# Builds the Release program's benchmarks and the web module (scripts/web.sh build) first.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKUBISTO_BUILD_BENCH=ON >/dev/null
cmake --build build/release -j"$(nproc)" --target workroom_bench engine_bench
bash scripts/web.sh build
echo "== native"
(cd build/release/bin &&
  KUBISTO_THREADS=1 ./workroom_bench --benchmark_filter=BM_RenderFullRoom &&
  ./engine_bench --benchmark_filter='BM_RoomFrame_125Blocks/w:416/h:338/threads:1/')
echo "== web"
NODE_PATH=/usr/share/nodejs node --no-experimental-fetch bench/web_frame.js build/web

#!/usr/bin/env bash
# The web page's numbers in headless Chromium beside the native frame, in one run
# (web/bench/run_bench.js): the frame of the full room at 416 x 338 on one thread and its ratio to
# the native one, the time until the room shows after opening the page from localhost, and the
# site's compressed size. Builds the Release benchmarks and the site (scripts/web.sh build) first;
# needs Chromium and the web build's npm packages (npm ci in web/).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKUBISTO_BUILD_BENCH=ON >/dev/null
cmake --build build/release -j"$(nproc)" --target workroom_bench
bash scripts/web.sh build
rm -rf build/web/bench
mkdir -p build/web/bench
cp web/bench/index.html web/bench/frame_bench.js build/web/bench/
node web/bench/run_bench.js build/web build/release/bin

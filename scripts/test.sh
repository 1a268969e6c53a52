#!/usr/bin/env bash
# Installs what is missing, builds the Release and the sanitizer (ASan+UBSan) builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test

jobs=$(nproc)
# Compiler cache: a second run, or a run in another checkout of the same machine, compiles only what
# changed. Paths are taken relative to the checkout, and the folder is left out of the hash of the
# sanitizer build's line tables, so that checkouts in other folders share the cache.
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=pch_defines,time_macros
fi
run_build() {  # run_build <folder> <cmake options...>
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs")
}

echo "== Format"
bash scripts/check_format.sh

echo "== Release build"
run_build build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DKUBISTO_BUILD_BENCH=ON
# -O1 with line tables keeps the sanitizer build quick to compile and its reports readable.
echo "== Sanitizer build (ASan+UBSan)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_build build/asan -DCMAKE_BUILD_TYPE=None -DCMAKE_C_FLAGS="-O1 -g1" -DCMAKE_CXX_FLAGS="-O1 -g1" \
    -DKUBISTO_SANITIZE=ON -DBUILD_TESTING=ON -DKUBISTO_BUILD_BENCH=OFF
echo "== Fuzzers (a few seconds each; scripts/fuzz.sh 600 for a long run)"
# libFuzzer and the sanitizers come with the runtime package of the installed clang's version.
if ! command -v clang++ >/dev/null; then
  echo "clang++ is not installed: fuzzers skipped"
elif ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
       clang++ -x c++ -fsanitize=fuzzer,address,undefined - -o /dev/null 2>/dev/null; then
  echo "clang++ $(clang++ -dumpversion) has no libFuzzer runtime that fits (libclang-rt-*-dev): fuzzers skipped"
else
  KUBISTO_JOBS=$jobs KUBISTO_FUZZ_SEED=1 bash scripts/fuzz.sh 6
fi

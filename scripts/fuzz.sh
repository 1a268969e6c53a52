#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for N seconds (default 10):
#   scripts/fuzz.sh          a short run of every target
#   scripts/fuzz.sh 600      ten minutes each
#   scripts/fuzz.sh 60 mesh  one target (layout, texture, mesh, bridge, export, vox)
# Each target starts from its committed corpus (fuzz/corpus/<target>) and the inputs that once
# failed (fuzz/crashes/<target>); what it learns goes to build/fuzz/corpus/<target>. A failing input
# is written to build/fuzz/crashes/ and the script fails: copy it to fuzz/crashes/<target>/, where
# the tests run it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
targets=${2:-"layout texture mesh bridge export vox"}
jobs=${KUBISTO_JOBS:-$(nproc)}
# KUBISTO_FUZZ_SEED fixes libFuzzer's seed, so that short runs in the test command repeat themselves.

# -O1 with line tables: quick to build, fast enough to fuzz, stacks that name the line.
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=None \
  -DCMAKE_C_FLAGS="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DKUBISTO_FUZZ=ON -DKUBISTO_BUILD_APP=OFF -DKUBISTO_BUILD_BENCH=OFF >/dev/null
names=()
for t in $targets; do names+=("fuzz_$t"); done
cmake --build build/fuzz --target "${names[@]}" -j"$jobs"

mkdir -p build/fuzz/crashes
status=0
for t in $targets; do
  work=build/fuzz/corpus/$t
  mkdir -p "$work"
  inputs=("$work" "fuzz/corpus/$t")
  [ -d "fuzz/crashes/$t" ] && inputs+=("fuzz/crashes/$t")
  echo "== fuzz_$t for ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
       UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
       build/fuzz/bin/"fuzz_$t" -max_total_time="$seconds" ${KUBISTO_FUZZ_SEED:+-seed=$KUBISTO_FUZZ_SEED} -timeout=20 -rss_limit_mb=2048 \
         -max_len=8192 -print_final_stats=0 -artifact_prefix=build/fuzz/crashes/"$t"- \
         "${inputs[@]}" >build/fuzz/"$t".log 2>&1; then
    echo "fuzz_$t failed; see build/fuzz/$t.log and build/fuzz/crashes/"
    grep -E "ERROR|runtime error|invariant|SUMMARY" build/fuzz/"$t".log | head -5 || true
    status=1
  else
    grep -E "DONE" build/fuzz/"$t".log | tail -1 || true
  fi
done
exit $status

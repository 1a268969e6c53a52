#!/usr/bin/env bash
# Start-up time of the program: from exec to its first frame on screen, sound off, under the
# offscreen platform. SDL_AUDIODRIVER=none finds no sound device, so the splash sound is not
# waited for. The whole process, several runs: every run and the median, in seconds.
# The program that reports its first frame and quits is a build of its own, build/startup
# (configured here with KUBISTO_STARTUP_PROBE=ON; the shipped program has no such report).
# Usage: scripts/startup_time.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
cmake -S . -B build/startup -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DKUBISTO_STARTUP_PROBE=ON >/dev/null
cmake --build build/startup --target kubisto >/dev/null
cd build/startup/bin
times=()
for ((i = 0; i < runs; ++i)); do
  start=$(date +%s%N)
  line=$(QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=none ./kubisto 2>&1 >/dev/null |
    grep -m1 'first frame at' || true)
  [[ -n $line ]] || { echo "run $i: no first frame reported" >&2; exit 1; }
  at=$(sed 's/.*first frame at \([0-9]*\) ns.*/\1/' <<<"$line")
  times+=("$(awk -v a="$at" -v s="$start" 'BEGIN { printf "%.3f", (a - s) / 1e9 }')")
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "runs: ${times[*]}"
echo "median: $(sed -n "$(((runs + 1) / 2))p" <<<"$sorted") s"

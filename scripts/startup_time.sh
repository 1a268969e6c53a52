#!/usr/bin/env bash
# Start-up time of the program: from exec to its first frame on screen, sound off, under the
# offscreen platform. SDL_AUDIODRIVER=none finds no sound device, so the splash sound is not
# waited for. The whole process, several runs: every run and the median, in seconds.
# Usage: scripts/startup_time.sh [runs] (after building build/release).
set -euo pipefail
cd "$(dirname "$0")/../build/release/bin"
runs=${1:-9}
times=()
for ((i = 0; i < runs; ++i)); do
  start=$(date +%s%N)
  line=$(KUBISTO_FIRST_FRAME_EXIT=1 QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=none ./kubisto 2>&1 >/dev/null |
    grep -m1 'first frame at' || true)
  [[ -n $line ]] || { echo "run $i: no first frame reported" >&2; exit 1; }
  at=$(sed 's/.*first frame at \([0-9]*\) ns.*/\1/' <<<"$line")
  times+=("$(awk -v a="$at" -v s="$start" 'BEGIN { printf "%.3f", (a - s) / 1e9 }')")
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "runs: ${times[*]}"
echo "median: $(sed -n "$(((runs + 1) / 2))p" <<<"$sorted") s"

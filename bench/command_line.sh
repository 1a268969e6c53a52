#!/usr/bin/env bash
# Times `kubisto --render` and `kubisto --export` as a user runs them: the whole process, from start
# to the file on disk, several runs each, the median reported (wall clock and CPU time).
#   bench/command_line.sh [build folder (default build/release)] [runs (default 9)]
# The layouts: every cell of the 5-cell room (125 blocks), 1,000 blocks in a 16-cell room, and every
# cell of the 16-cell room (4,096 blocks) for the .vox model and the thumbnails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-9}
kubisto="$PWD/$build/bin/kubisto"
[ -x "$kubisto" ] || { echo "build the program first: cmake --build $build --target kubisto" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A layout file: cell count, records "x,y,z,colour", the end record, the title line (CR LF).
layout() {  # layout FILE DIVIDE < records
  { echo "$2"; cat; echo "-1,-1,-1,0"; echo '"Kubisto"'; } | sed 's/$/\r/' > "$1"
}
colours=(255 65280 16711680 65535 16776960 16711935)
for z in 0 1 2 3 4; do for y in 0 1 2 3 4; do for x in 0 1 2 3 4; do
  echo "$x,$y,$z,${colours[$(( (x + y + z) % 6 ))]}"
done; done; done | layout "$work/full125.kbs" 5
# 1,000 cells of 4,096 spread by a fixed stride (a permutation, since 1,237 is odd), so that the
# blocks stand both alone and in clumps.
for i in $(seq 0 999); do
  c=$(( (i * 1237) % 4096 ))
  echo "$(( c % 16 )),$(( c / 16 % 16 )),$(( c / 256 )),${colours[$(( i % 6 ))]}"
done | layout "$work/big1000.kbs" 16
# Every cell of the 16-cell room (4,096 blocks) in 250 colours, for the .vox model both ways.
for i in $(seq 0 4095); do
  echo "$(( i % 16 )),$(( i / 16 % 16 )),$(( i / 256 )),$(( (i % 250) * 4097 % 16777216 ))"
done | layout "$work/full4096.kbs" 16

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# measure NAME ARGS...: the median wall and CPU seconds of runs whole-process runs.
measure() {
  local name=$1; shift
  local walls=() cpus=()
  for _ in $(seq "$runs"); do
    local t
    /usr/bin/time -o "$work/time" -f "%e %U %S" env -u DISPLAY "$kubisto" "$@" >/dev/null 2>&1
    t=$(tail -1 "$work/time")
    walls+=("$(echo "$t" | awk '{ print $1 }')")
    cpus+=("$(echo "$t" | awk '{ printf "%.2f", $2 + $3 }')")
  done
  printf '%-28s wall %5ss  cpu %5ss  (median of %d)\n' "$name" \
    "$(printf '%s\n' "${walls[@]}" | median)" "$(printf '%s\n' "${cpus[@]}" | median)" "$runs"
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
measure "render 125 blocks 417x347" --render "$work/a.png" "$work/full125.kbs"
measure "render 1000 blocks (16)" --render "$work/b.png" "$work/big1000.kbs"
for ext in obj ply stl gltf glb 3mf x; do
  measure "export 125 blocks .$ext" --export "$work/a.$ext" "$work/full125.kbs"
done
for ext in obj ply stl gltf glb 3mf x; do
  measure "export 1000 blocks .$ext" --export "$work/b.$ext" "$work/big1000.kbs"
done
measure "export 4096 blocks .vox" --export "$work/c.vox" "$work/full4096.kbs"
measure "import 4096 blocks .vox" --export "$work/d.vox" "$work/c.vox"
measure "thumbnail 4096 blocks 256" --render "$work/c.png" --frame blocks --size 256 "$work/full4096.kbs"
measure "thumbnail 125 blocks 256" --render "$work/a.png" --frame blocks --size 256 "$work/full125.kbs"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

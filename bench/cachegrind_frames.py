#!/usr/bin/env python3
"""Instructions and cache misses per frame of the room, ours and llvmpipe's, under cachegrind.

Counts do not depend on what else the host runs, so they show where a change helps while wall
clocks are noisy. Each program draws the room with every block once to warm up and then N frames
(`--frames=N`); it runs twice, with few and with more frames, and the difference divided by the
extra frames is the cost of one frame, without start-up, room building or shader compiling.

The simulated caches are one core's own: D1 32 KiB (8-way, 64-byte lines) and, as the last level,
the core's 1 MiB L2 (16-way), since the host's L3 is shared with other machines. Valgrind runs the
threads one at a time, so with 2 threads the counts are both threads' work added up.

    bench/cachegrind_frames.py [--build build/release] [--threads 1] [--sizes 416x338,800x600]
                               [--no-llvmpipe] [--divide16]

Needs valgrind, engine_bench and (unless --no-llvmpipe) llvmpipe_bench
(configure with -DKUBISTO_BENCH_LLVMPIPE=ON).
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

CACHES = ["--I1=32768,8,64", "--D1=32768,8,64", "--LL=1048576,16,64"]
EVENTS = ["Ir", "Dr", "Dw", "D1mr", "D1mw", "DLmr", "DLmw"]


def totals(command, env):
    """Cachegrind's event totals for the whole run of command."""
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "cg.out")
        run = subprocess.run(["valgrind", "--tool=cachegrind", "--cache-sim=yes",
                              f"--cachegrind-out-file={out}", *CACHES, *command],
                             env=env, capture_output=True, text=True)
        if run.returncode != 0:
            sys.exit(f"{' '.join(command)} failed:\n{run.stderr[-2000:]}")
        events, summary = None, None
        with open(out) as f:
            for line in f:
                if line.startswith("events:"):
                    events = line.split()[1:]
                elif line.startswith("summary:"):
                    summary = [int(x) for x in line.split()[1:]]
    if not events or not summary:
        sys.exit(f"no cachegrind summary for {command}")
    return dict(zip(events, summary))


def per_frame(command, env, few=1, more=4):
    """Events of one frame: the difference of a run of `more` frames and one of `few`."""
    a = totals(command + [f"--frames={few}"], env)
    b = totals(command + [f"--frames={more}"], env)
    return {e: (b[e] - a[e]) / (more - few) for e in EVENTS}


def row(name, c):
    d1 = c["D1mr"] + c["D1mw"]
    ll = c["DLmr"] + c["DLmw"]
    refs = c["Dr"] + c["Dw"]
    return (f"| {name} | {c['Ir'] / 1e6:.1f} M | {refs / 1e6:.1f} M | {d1 / 1e3:.0f} k "
            f"({100 * d1 / refs:.1f} %) | {ll / 1e3:.0f} k |")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build/release")
    parser.add_argument("--threads", type=int, default=1)
    parser.add_argument("--sizes", default="416x338,800x600,1920x1080")
    parser.add_argument("--no-llvmpipe", action="store_true")
    parser.add_argument("--divide16", action="store_true",
                        help="also the room of 16 cells a side (ours only, 416 x 338)")
    args = parser.parse_args()
    bin_dir = os.path.join(args.build, "bin")
    ours, theirs = os.path.join(bin_dir, "engine_bench"), os.path.join(bin_dir, "llvmpipe_bench")
    needed = [ours] if args.no_llvmpipe else [ours, theirs]
    for b in needed:
        if not os.access(b, os.X_OK):
            sys.exit(f"{b} is missing: build it first")
    # Mesa's shader cache on disk would make the first run compile and the next one load.
    env = dict(os.environ, KUBISTO_THREADS=str(args.threads), LP_NUM_THREADS=str(args.threads),
               MESA_SHADER_CACHE_DISABLE="true", MESA_GLSL_CACHE_DISABLE="true")

    print(f"| one frame, 125 blocks, {args.threads} thread{'s' if args.threads > 1 else ''} "
          "| instructions | data reads + writes | D1 misses | LL (L2) misses |")
    print("|---|---|---|---|---|")
    for size in args.sizes.split(","):
        if not re.fullmatch(r"\d+x\d+", size):
            sys.exit(f"bad size {size}")
        label = size.replace("x", " × ")
        mine = per_frame([ours, f"--size={size}", f"--threads={args.threads}"], env)
        print(row(f"{label}, ours", mine), flush=True)
        if not args.no_llvmpipe:
            lp = per_frame([theirs, f"--size={size}"], env)
            print(row(f"{label}, llvmpipe", lp), flush=True)
    if args.divide16:
        mine = per_frame([ours, "--size=416x338", "--divide=16", f"--threads={args.threads}"], env)
        print(row("16 cells a side, 416 × 338, ours", mine), flush=True)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Frame times of the room against llvmpipe, taken in turns.

On a shared machine the speed of the host drifts by tens of per cent from minute to minute, so
a ratio of two figures taken minutes apart says as much about the host as about the renderers.
Here every round runs one short measurement of ours and then one of llvmpipe, with the same
size and thread count, and the ratio is taken round by round: both sides of each ratio saw the
same minute. Printed as Markdown: per size and thread count the ratio of every round, their
median and worst, and each side's spread over the rounds (coefficient of variation: standard
deviation over mean), so that a goal can be judged in every round and not only in the median.

    bench/frames_vs_llvmpipe.py [--build build/release] [--rounds 5]

Needs engine_bench and llvmpipe_bench (configure with -DKUBISTO_BENCH_LLVMPIPE=ON).
"""
import argparse
import json
import os
import statistics
import subprocess
import sys

SIZES = [(416, 338), (800, 600), (832, 676), (1920, 1080)]


def run(binary, pattern, env=None, min_time=0.2):
    """Real time in ms of the one benchmark that pattern names."""
    out = subprocess.run(
        [binary, f"--benchmark_filter={pattern}", f"--benchmark_min_time={min_time}",
         "--benchmark_format=json"],
        env=env, check=True, capture_output=True, text=True).stdout
    runs = json.loads(out)["benchmarks"]
    if len(runs) != 1:
        sys.exit(f"{binary}: {pattern} names {len(runs)} benchmarks")
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[runs[0]["time_unit"]]
    return runs[0]["real_time"] * scale


def cv(values):
    """Coefficient of variation in per cent (0 for fewer than two values)."""
    if len(values) < 2:
        return 0.0
    return 100.0 * statistics.stdev(values) / statistics.mean(values)


def spread(values, k=1.0):
    """Median, range and coefficient of variation of a list of times, scaled by k."""
    return (f"{statistics.median(values) * k:.3g} ({min(values) * k:.3g}–{max(values) * k:.3g}) "
            f"| {cv(values):.0f} %")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build/release")
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()
    bin_dir = os.path.join(args.build, "bin")
    ours, theirs = os.path.join(bin_dir, "engine_bench"), os.path.join(bin_dir, "llvmpipe_bench")
    for b in (ours, theirs):
        if not os.access(b, os.X_OK):
            sys.exit(f"{b} is missing: build engine_bench and llvmpipe_bench first")

    print("| frame of the room, 125 blocks | threads | ours (ms), median (range) | CV ours "
          "| llvmpipe (ms), median (range) | CV llvmpipe | ours ÷ llvmpipe, round by round "
          "| median | worst |")
    print("|---|---|---|---|---|---|---|---|---|")
    for w, h in SIZES:
        for threads in (1, 2):
            env = dict(os.environ, LP_NUM_THREADS=str(threads))
            mine, lp = [], []
            for _ in range(args.rounds):
                mine.append(run(ours, f"^BM_RoomFrame_125Blocks/w:{w}/h:{h}/threads:{threads}/"))
                lp.append(run(theirs, f"^BM_RoomFrame_{w}x{h}_125Blocks", env))
            ratios = [a / b for a, b in zip(mine, lp)]
            print(f"| {w} × {h} | {threads} | {spread(mine)} | {spread(lp)} | "
                  f"{', '.join(f'{r:.2f}' for r in ratios)} | {statistics.median(ratios):.2f} | "
                  f"{max(ratios):.2f} |", flush=True)

    print()
    print("| ours alone | every round | median (range) | CV |")
    print("|---|---|---|---|")
    for name, pattern, unit in [
            ("16 cells a side, 1 thread", "^BM_RoomFrame_Divide16/w:416/h:338/threads:1/", "ms"),
            ("16 cells a side, 2 threads", "^BM_RoomFrame_Divide16/w:416/h:338/threads:2/", "ms"),
            ("pick at a block's centre", "^BM_PickBlockCentre_416x338_125Blocks$", "µs")]:
        times = [run(ours, pattern) for _ in range(args.rounds)]
        k = 1000.0 if unit == "µs" else 1.0
        print(f"| {name} ({unit}) | {', '.join(f'{t * k:.3g}' for t in times)} | "
              f"{spread(times, k)} |", flush=True)


if __name__ == "__main__":
    main()

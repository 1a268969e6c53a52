"""Times the Python API: 1,000 headless add() calls and 100 live add() calls (sound off).

    PYTHONPATH=build/release/bin/python python3 bench/python_scripting.py [build/release/bin] [--live-only]

The live part starts the program under the offscreen platform with no sound driver and its
own runtime folder, and ends it afterwards. Prints the median of three runs of each.
"""
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

import kubisto

REPEAT = 3


def headless():
    room = kubisto.Room(10)  # 1,000 cells: every add puts a block in and redraws
    start = time.perf_counter()
    for x in range(10):
        for y in range(10):
            for z in range(10):
                room.add(x, y, z, "red")
    return time.perf_counter() - start


def live(room):
    room.clear()
    start = time.perf_counter()
    for x in range(5):
        for y in range(5):
            for z in range(4):
                room.add(x, y, z, "blue")
    return time.perf_counter() - start


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    bin_dir = args[0] if args else os.path.join("build", "release", "bin")
    times = [headless() for _ in range(REPEAT)] if "--live-only" not in sys.argv else [0]
    print("1,000 headless add: median %.1f ms (%.2f ms each)" % (statistics.median(times) * 1e3,
                                                                  statistics.median(times)), flush=True)
    with tempfile.TemporaryDirectory() as tmp:
        runtime = os.path.join(tmp, "runtime")
        os.mkdir(runtime, 0o700)
        # Sound off: SDL knows no driver of that name, so the program plays nothing (with the
        # dummy driver each add would still wait out its sound's length).
        env = dict(os.environ, XDG_RUNTIME_DIR=runtime, HOME=tmp, QT_QPA_PLATFORM="offscreen",
                   SDL_AUDIODRIVER=os.environ.get("KUBISTO_BENCH_AUDIO", "off"))
        # The program finds its wall pictures in its folder only when started there.
        program = subprocess.Popen([os.path.abspath(os.path.join(bin_dir, "kubisto"))], env=env,
                                   cwd=bin_dir, stderr=subprocess.DEVNULL)
        try:
            path = os.path.join(runtime, "kubisto.sock")
            deadline = time.monotonic() + 60
            while not os.path.exists(path):
                if program.poll() is not None or time.monotonic() > deadline:
                    sys.exit("the program did not start its script server")
                time.sleep(0.05)
            room = kubisto.connect(path)
            times = [live(room) for _ in range(REPEAT)]
            print("100 live add: median %.1f ms (%.2f ms each)" % (statistics.median(times) * 1e3,
                                                                  statistics.median(times) * 10))
            room.close()
        finally:
            program.send_signal(signal.SIGTERM)
            program.wait(30)


if __name__ == "__main__":
    main()

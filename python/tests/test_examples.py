# The examples under examples/python, run headless as a user would run them.
import os
import subprocess
import sys

from conftest import SOURCE_DIR

import kubisto

EXAMPLES = os.path.join(SOURCE_DIR, "examples", "python")


def run(name, *args, cwd):
    return subprocess.run([sys.executable, os.path.join(EXAMPLES, name), *args], cwd=cwd,
                          capture_output=True, text=True, timeout=120, check=True).stdout


def test_staircase_builds_rising_steps_and_a_picture(tmp_path):
    out = run("staircase.py", "stairs.kbs", cwd=tmp_path)
    assert "15 blocks" in out
    room = kubisto.Room()
    room.load(tmp_path / "stairs.kbs")
    heights = {}
    for x, y, z, _ in room.blocks():
        assert x == z
        heights[x] = max(heights.get(x, -1), y)
    assert heights == {0: 0, 1: 1, 2: 2, 3: 3, 4: 4}
    assert (tmp_path / "stairs.png").read_bytes()[:4] == b"\x89PNG"


def test_random_tower_has_one_block_per_level_and_repeats_with_a_seed(tmp_path):
    run("random_tower.py", "a.kbs", "--seed", "7", cwd=tmp_path)
    run("random_tower.py", "b.kbs", "--seed", "7", cwd=tmp_path)
    assert (tmp_path / "a.kbs").read_bytes() == (tmp_path / "b.kbs").read_bytes()
    room = kubisto.Room()
    room.load(tmp_path / "a.kbs")
    assert sorted(b[1] for b in room.blocks()) == [0, 1, 2, 3, 4]


def test_layout_to_list_prints_what_the_file_holds(tmp_path):
    room = kubisto.Room(4)
    room.add(3, 0, 1, "#FF8000")
    room.add(0, 2, 0, "green")
    room.save(tmp_path / "l.kbs")
    out = run("layout_to_list.py", "l.kbs", cwd=tmp_path)
    namespace = {}
    exec(out, namespace)
    assert namespace["divide"] == 4
    assert namespace["blocks"] == [(0, 2, 0, "#00FF00"), (3, 0, 1, "#FF8000")]

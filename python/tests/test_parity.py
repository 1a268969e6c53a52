# One list of requests, good and bad, run on a headless Room() and on the real program's room
# through connect(): the two kinds of room give the same results, the same errors with the same
# messages, and write the same bytes.
import os

import pytest

import kubisto
from conftest import layout_bytes
from test_live import start, stop, wait_for_socket

RED, BLUE = 0x0000FF, 0xFF0000


def requests(folder):
    """(what, call) pairs; each call takes the room and returns what the request gave."""
    base = folder / "base.kbs"
    bad = folder / "bad.kbs"
    return [
        ("load a file", lambda r: r.load(base)),
        ("cell count", lambda r: r.divide),
        ("add red", lambda r: r.add(0, 0, 0, "red")),
        ("add to a taken cell", lambda r: r.add(0, 0, 0, "blue")),
        ("add #RRGGBB", lambda r: r.add(4, 4, 4, "#0000FF")),
        ("add a number", lambda r: r.add(1, 0, 0, 0x00FF00)),
        ("add a Japanese name", lambda r: r.add(2, 0, 0, "緑")),
        ("add in any case", lambda r: r.add(3, 0, 0, "MaGeNtA")),
        ("a cell beyond the room", lambda r: r.add(5, 0, 0)),
        ("a negative cell", lambda r: r.add(0, -1, 0)),
        ("a huge cell", lambda r: r.add(2 ** 70, 0, 0)),
        ("a huge colour", lambda r: r.add(0, 1, 0, 2 ** 70)),
        ("a colour too large", lambda r: r.add(0, 1, 0, 0x1000000)),
        ("an unknown colour", lambda r: r.add(0, 1, 0, "purple")),
        ("a bad #RRGGBB", lambda r: r.add(0, 1, 0, "#12345G")),
        ("a bool for a colour", lambda r: r.add(0, 1, 0, True)),
        ("a float for a cell", lambda r: r.add(0.5, 0, 0)),
        ("a NUL in a colour", lambda r: r.add(0, 1, 0, "red\0")),
        ("move", lambda r: r.move("-x")),
        ("move against a block", lambda r: r.move("-X")),
        ("an unknown direction", lambda r: r.move("sideways")),
        ("a NUL in a direction", lambda r: r.move("y\0")),
        ("the current block", lambda r: r.current),
        ("select a block", lambda r: r.select(0, 0, 0)),
        ("select an empty cell", lambda r: r.select(4, 0, 0)),
        ("nothing current", lambda r: r.current),
        ("delete", lambda r: r.delete(4, 4, 4)),
        ("delete an empty cell", lambda r: r.delete(4, 4, 4)),
        ("blocks", lambda r: r.blocks()),
        ("view", lambda r: r.view("bird")),
        ("view in any case", lambda r: r.view("ToP")),
        ("an unknown view", lambda r: r.view("diagonal")),
        ("a NUL in a view", lambda r: r.view("top\0")),
        ("turn", lambda r: r.turn("left")),
        ("an unknown turn", lambda r: r.turn("sideways")),
        ("clear unsaved work", lambda r: r.clear()),
        ("load over unsaved work", lambda r: r.load(base)),
        ("a new cell count over unsaved work", lambda r: setattr(r, "divide", 4)),
        ("save", lambda r: r.save(folder / "out.kbs")),
        ("save a hidden name", lambda r: r.save(folder / ".hidden.kbs")),
        ("save to a folder", lambda r: r.save(str(folder) + "/")),
        ("save with a backslash", lambda r: r.save(folder / "a\\b.kbs")),
        ("a NUL in a path", lambda r: r.save(str(folder / "x.kbs") + "\0junk")),
        ("a cell count too large", lambda r: setattr(r, "divide", 40)),
        ("a cell count of none", lambda r: setattr(r, "divide", 0)),
        ("a huge cell count", lambda r: setattr(r, "divide", 2 ** 70)),
        ("a saved room takes a new cell count", lambda r: setattr(r, "divide", 4)),
        ("the new cell count", lambda r: r.divide),
        ("a changed cell count is unsaved work", lambda r: setattr(r, "divide", 3)),
        ("a missing file", lambda r: r.load(folder / "missing.kbs", discard=True)),
        ("a file that is not a layout", lambda r: r.load(bad, discard=True)),
        ("still as it was", lambda r: (r.divide, r.blocks())),
        ("load, throwing work away", lambda r: r.load(base, discard=True)),
        ("add after a load", lambda r: r.add(1, 1, 1, BLUE)),
        ("clear, throwing work away", lambda r: r.clear(discard=True)),
        ("add after a clear", lambda r: r.add(2, 2, 2, RED)),
        ("save again", lambda r: r.save(folder / "again.kbs")),
    ]


def outcome(call, room, folder):
    """What a request gave: its result, or the kind and message of its error (the folder named
    as <folder>, so that the two runs compare)."""
    try:
        return ("result", call(room))
    except (TypeError, ValueError, OSError) as error:
        kind = next(k for k in (TypeError, ValueError, OSError) if isinstance(error, k)).__name__
        return (kind, str(error).replace(str(folder), "<folder>"))


def run_all(room, folder):
    folder.mkdir()
    (folder / "base.kbs").write_bytes(layout_bytes(5, []))
    (folder / "bad.kbs").write_bytes(b"5\r\nnot a block\r\n")
    results = [(what, outcome(call, room, folder)) for what, call in requests(folder)]
    files = {name: (folder / name).read_bytes() for name in sorted(os.listdir(folder))}
    return results, files


@pytest.fixture(scope="module")
def program(tmp_path_factory):
    tmp_path = tmp_path_factory.mktemp("parity")
    program, path = start(tmp_path)
    wait_for_socket(program, path)
    yield path
    stop(program)


def test_a_room_and_the_program_answer_alike(program, tmp_path):
    headless, headless_files = run_all(kubisto.Room(), tmp_path / "headless")
    with kubisto.connect(program, timeout=30) as live:
        window, window_files = run_all(live, tmp_path / "live")
    assert len(headless) > 40
    for (what, mine), (_, theirs) in zip(headless, window):
        assert mine == theirs, what
    assert headless_files == window_files
    # The list reaches what it means to: both good and bad requests, and files were written.
    kinds = {result[0] for _, result in headless}
    assert kinds == {"result", "TypeError", "ValueError", "OSError"}
    assert {"out.kbs", "a\\b.kbs", "again.kbs"} <= set(headless_files)

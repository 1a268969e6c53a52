# The headless Room's guards: unsaved work never thrown away silently, numbers and texts a script
# gets wrong, paths taken as given, and files that block while other threads go on.
import os
import threading
import time

import pytest

import kubisto
from conftest import layout_bytes

RED = 0x0000FF


def test_load_clear_and_divide_keep_unsaved_work_unless_told(tmp_path):
    good = tmp_path / "good.kbs"
    good.write_bytes(layout_bytes(3, [(0, 0, 0, RED)]))
    room = kubisto.Room()
    room.add(1, 1, 1)
    for action in (lambda: room.load(good), room.clear, lambda: setattr(room, "divide", 4)):
        with pytest.raises(ValueError, match="unsaved work.*discard=True"):
            action()
    assert room.blocks() == [(1, 1, 1, RED)] and room.divide == 5
    # Saved, the same work may go.
    room.save(tmp_path / "kept.kbs")
    room.load(good)
    assert room.blocks() == [(0, 0, 0, RED)] and room.divide == 3
    room.clear()
    # An emptied room differs from its file as well.
    with pytest.raises(ValueError, match="unsaved work"):
        room.load(good)
    room.load(good, discard=True)
    # A loaded room holds no unsaved work until it changes; the cell count is work too.
    room.divide = 4
    with pytest.raises(ValueError, match="unsaved work"):
        room.divide = 5
    room.load(good, discard=True)
    room.add(2, 2, 2)
    room.clear(discard=True)
    assert room.blocks() == []
    # The room's own setting.
    free = kubisto.Room(discard=True)
    free.add(0, 0, 0)
    free.divide = 3
    free.add(0, 0, 0)
    free.load(good)
    free.add(1, 0, 0)
    free.clear()
    assert free.blocks() == [] and free.discard is True


def test_numbers_out_of_range_say_so_plainly(room, tmp_path):
    huge = 2 ** 70
    for call in (lambda: room.add(huge, 0, 0), lambda: room.delete(0, -huge, 0),
                 lambda: room.select(0, 0, huge)):
        with pytest.raises(ValueError, match=str(huge) + " is out of range") as error:
            call()
        assert "9223372036854775808" not in str(error.value)
    with pytest.raises(ValueError, match="colour 1180591620717411303424 is out of range"):
        room.add(0, 0, 0, huge)
    with pytest.raises(ValueError, match="divide 1180591620717411303424 is out of range"):
        room.divide = huge
    with pytest.raises(ValueError, match="out of range"):
        kubisto.Room(huge)
    with pytest.raises(ValueError, match="width 1180591620717411303424 is out of range"):
        room.render(tmp_path / "x.png", size=(huge, 10))
    with pytest.raises(ValueError, match="a number of 10001 bits"):
        room.add(2 ** 10000, 0, 0)
    # In range of the program but outside the room: the room says so.
    with pytest.raises(ValueError, match="outside the room"):
        room.add(2 ** 31 - 1, 0, 0)
    with pytest.raises(ValueError, match="the cell count 40 is outside 1..16") as error:
        room.divide = 40
    assert "CWorkRoom" not in str(error.value)
    assert room.blocks() == [] and room.divide == 5


def test_texts_with_a_nul_character_are_refused(room, tmp_path):
    good = tmp_path / "good.kbs"
    good.write_bytes(layout_bytes(3, [(0, 0, 0, RED)]))
    with pytest.raises(ValueError, match="NUL"):
        room.load(str(good) + "\0junk")
    with pytest.raises(ValueError, match="NUL"):
        room.save(str(tmp_path / "out.kbs") + "\0junk")
    for call in (lambda: room.move("x\0"), lambda: room.view("top\0"), lambda: room.turn("up\0"),
                 lambda: room.add(0, 0, 0, "red\0")):
        with pytest.raises(ValueError, match="NUL"):
            call()
    assert room.divide == 5 and room.blocks() == []
    assert not (tmp_path / "out.kbs").exists()


def test_paths_are_taken_exactly_and_hidden_names_refused(room, tmp_path):
    room.add(1, 2, 3, "red")
    # A backslash is an ordinary character of a name here.
    odd = tmp_path / "a\\b.kbs"
    room.save(odd)
    assert sorted(os.listdir(tmp_path)) == ["a\\b.kbs"]
    other = kubisto.Room()
    other.load(str(odd))
    assert other.blocks() == room.blocks()
    # Names the program's file window could never list again.
    for name in (".kbs", ".hidden.kbs"):
        with pytest.raises(ValueError, match="beginning with"):
            room.save(tmp_path / name)
    with pytest.raises(ValueError, match="not a folder"):
        room.save(str(tmp_path) + "/")
    assert sorted(os.listdir(tmp_path)) == ["a\\b.kbs"]


def test_a_load_waiting_on_a_fifo_leaves_other_threads_running(tmp_path):
    # Were the global lock held while the file is opened, this thread could never feed the FIFO.
    fifo = tmp_path / "pipe.kbs"
    os.mkfifo(fifo)
    room = kubisto.Room()
    outcome = {}

    def load():
        try:
            room.load(fifo)
            outcome["ok"] = True
        except OSError as error:
            outcome["error"] = str(error)

    loader = threading.Thread(target=load)
    loader.start()
    fed = False
    while loader.is_alive() and not fed:
        try:
            fd = os.open(fifo, os.O_WRONLY | os.O_NONBLOCK)
        except OSError:  # no reader yet
            time.sleep(0.01)
            continue
        try:
            os.write(fd, layout_bytes(3, [(0, 0, 0, RED)]))
        except OSError:  # the reader refused the FIFO and went
            pass
        os.close(fd)
        fed = True
    loader.join()
    # Read through the FIFO, or refused as no regular file, naming it.
    if outcome.get("ok"):
        assert room.blocks() == [(0, 0, 0, RED)]
    else:
        assert "pipe.kbs" in outcome["error"]

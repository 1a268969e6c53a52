# The headless Room: every operation, its errors, and the files it writes.
import os
import struct
import warnings
import zlib

import pytest

import kubisto
from conftest import layout_bytes, vox_bytes

RED, BLUE = 0x0000FF, 0xFF0000


def test_adding_selecting_moving_and_deleting_blocks(room):
    assert room.divide == 5 and room.blocks() == [] and room.current is None
    assert room.add(0, 0, 0, "red") is True
    assert room.add(4, 4, 4, BLUE) is True
    assert room.current == (4, 4, 4, BLUE)
    # A taken cell is refused and nothing changes.
    assert room.add(0, 0, 0, "blue") is False
    assert room.blocks() == [(0, 0, 0, RED), (4, 4, 4, BLUE)]
    assert room.current == (4, 4, 4, BLUE)
    # The wall stops a move; another block blocks it but counts as done.
    assert room.move("x") is False
    assert room.move("-X") is True
    assert room.current == (3, 4, 4, BLUE)
    assert room.select(0, 0, 0) is True and room.current == (0, 0, 0, RED)
    assert room.select(2, 2, 2) is False and room.current is None
    assert room.move("y") is False  # nothing current
    assert room.delete(3, 4, 4) is True
    assert room.delete(3, 4, 4) is False
    assert room.blocks() == [(0, 0, 0, RED)]
    room.clear(discard=True)
    assert room.blocks() == [] and room.current is None


def test_colours_by_number_hex_and_menu_names(room):
    names = [("red", 0x0000FF), ("Blue", 0xFF0000), ("YELLOW", 0x00FFFF), ("green", 0x00FF00),
             ("magenta", 0xFF00FF), ("cyan", 0xFFFF00), ("赤", 0x0000FF), ("青", 0xFF0000),
             ("黄", 0x00FFFF), ("緑", 0x00FF00), ("マゼンタ", 0xFF00FF), ("シアン", 0xFFFF00),
             ("#123456", 0x563412), (0x00AB12, 0x00AB12)]
    for i, (given, value) in enumerate(names):
        assert room.add(i % 5, i // 5, 0, given)
        assert room.current[3] == value, given
    for bad in ["purple", "#12345", "#GGGGGG", "", -1, 0x1000000]:
        with pytest.raises(ValueError):
            room.add(4, 4, 4, bad)
    for wrong in [None, 1.5, True, (1, 2)]:
        with pytest.raises(TypeError):
            room.add(4, 4, 4, wrong)
    assert (4, 4, 4) not in [b[:3] for b in room.blocks()]


def test_errors_name_the_fault_and_change_nothing(room):
    room.add(1, 1, 1, "green")
    for cell in [(5, 0, 0), (0, -1, 0), (0, 0, 99)]:
        for op in (room.add, room.delete, room.select):
            with pytest.raises(ValueError, match="outside the room"):
                op(*cell)
    for bad in [("move", "w"), ("view", "under"), ("turn", "around")]:
        with pytest.raises(ValueError, match="give one of"):
            getattr(room, bad[0])(bad[1])
    with pytest.raises(ValueError):
        room.divide = 17
    with pytest.raises(ValueError):
        kubisto.Room(0)
    with pytest.raises(TypeError):
        room.add("1", 0, 0)
    assert room.blocks() == [(1, 1, 1, 0x00FF00)] and room.divide == 5


def test_divide_rebuilds_an_empty_room_of_that_size():
    room = kubisto.Room(3)
    assert room.divide == 3
    room.add(2, 2, 2)
    with pytest.raises(ValueError):
        room.add(3, 0, 0)
    room.discard = True
    room.divide = 16
    assert room.blocks() == []
    assert room.add(15, 15, 15)


def test_saved_layouts_equal_the_programs_and_load_back(room, tmp_path):
    room.add(4, 0, 0, "red")
    room.add(0, 1, 0, 0x123456)
    room.add(2, 0, 3, "シアン")
    path = tmp_path / "a.kbs"
    room.save(path)
    # Written as the program writes them: ordered by z, y, x, CR LF, the title in Shift_JIS.
    expected = layout_bytes(5, [(4, 0, 0, RED), (0, 1, 0, 0x123456), (2, 0, 3, 0xFFFF00)])
    assert path.read_bytes() == expected
    other = kubisto.Room(3)
    other.load(str(path))
    assert other.divide == 5 and other.blocks() == room.blocks()
    # Relative paths are the script's own.
    os.chdir(tmp_path)
    room.save("b.kbs")
    assert (tmp_path / "b.kbs").read_bytes() == expected


def test_a_vox_model_loads_and_a_file_of_several_says_its_first_was_read(room, tmp_path):
    one = tmp_path / "one.vox"
    one.write_bytes(vox_bytes([((2, 2, 2), [(0, 0, 0, 1)])]))
    with warnings.catch_warnings():
        warnings.simplefilter("error")  # one model: nothing to say
        room.load(one)
    # Voxel (0, 0, 0) of a model two cells a side is cell (1, 0, 1); palette 1 is red.
    assert room.divide == 2 and room.blocks() == [(1, 0, 1, RED)]
    two = tmp_path / "two.vox"
    two.write_bytes(vox_bytes([((3, 3, 3), [(2, 2, 2, 1)]), ((2, 2, 2), [(1, 1, 1, 1)])]))
    with pytest.warns(UserWarning, match="two.vox: the file holds 2 models; the first is read"):
        room.load(two)
    assert room.divide == 3 and room.blocks() == [(0, 2, 0, RED)]


def test_file_errors_are_os_errors_and_leave_the_room(room, tmp_path):
    room.add(1, 2, 3, "red")
    room.discard = True  # the loads below fail on their files, not on the unsaved block
    with pytest.raises(OSError, match="missing.kbs"):
        room.load(tmp_path / "missing.kbs")
    bad = tmp_path / "bad.kbs"
    bad.write_bytes(b"5\r\n1,2,x,3\r\n")
    with pytest.raises(OSError, match="line 2"):
        room.load(bad)
    with pytest.raises(OSError):
        room.save(tmp_path / "no" / "such" / "folder.kbs")
    with pytest.raises(OSError):
        room.save("")
    assert room.blocks() == [(1, 2, 3, RED)]


def png_size(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    return struct.unpack(">II", data[16:24]), data


def png_pixels(data):
    # The renderer's PNG: one IDAT, RGB, each row filtered by "sub".
    w, h = struct.unpack(">II", data[16:24])
    idat = data.index(b"IDAT")
    length = struct.unpack(">I", data[idat - 4:idat])[0]
    raw = zlib.decompress(data[idat + 4:idat + 4 + length])
    rows = []
    for y in range(h):
        row = bytearray(raw[y * (3 * w + 1) + 1:(y + 1) * (3 * w + 1)])
        for i in range(3, len(row)):
            row[i] = (row[i] + row[i - 3]) & 0xFF
        rows.append(bytes(row))
    return rows


def test_render_draws_the_room_as_turned_or_from_a_view(room, tmp_path):
    empty = tmp_path / "empty.png"
    room.render(empty)
    room.add(2, 0, 2, "red")
    room.render(tmp_path / "front.png", size=(200, 150))
    (size, _) = png_size(tmp_path / "front.png")
    assert size == (200, 150)
    room.render(tmp_path / "block.png")
    _, before = png_size(empty)
    _, after = png_size(tmp_path / "block.png")
    assert png_pixels(before) != png_pixels(after)
    # Red appears where the block is.
    assert any(b"\xff\x00\x00" in row or any(row[i] > 150 and row[i + 1] < 60 and row[i + 2] < 60
                                                for i in range(0, len(row), 3)) for row in png_pixels(after))
    room.turn("left")
    room.render(tmp_path / "turned.png")
    _, turned = png_size(tmp_path / "turned.png")
    assert png_pixels(turned) != png_pixels(after)
    # A named view ignores the turns; the same view set on the room gives the same picture.
    room.render(tmp_path / "top1.png", view="top")
    room.view("top")
    room.render(tmp_path / "top2.png")
    assert png_size(tmp_path / "top1.png")[1] == png_size(tmp_path / "top2.png")[1]
    with pytest.raises(ValueError):
        room.render(tmp_path / "x.png", size=(0, 10))
    with pytest.raises(OSError):
        room.render(tmp_path / "no" / "x.png")


def test_export_writes_the_blocks_as_a_model(room, tmp_path):
    room.add(0, 0, 0, "red")
    room.add(1, 0, 0, "blue")
    room.export(tmp_path / "two.obj")
    obj = (tmp_path / "two.obj").read_text()
    # Two cubes side by side, the shared face left out: 10 faces.
    assert sum(1 for line in obj.splitlines() if line.startswith("f ")) in (10, 20)
    room.export(tmp_path / "two.stl", cell_size=2.5)
    assert (tmp_path / "two.stl").stat().st_size > 0
    with pytest.raises(ValueError):
        room.export(tmp_path / "two.doc")
    with pytest.raises(OSError):
        room.export(tmp_path / "no" / "two.obj")


def test_help_reads_as_a_manual():
    import pydoc
    text = pydoc.render_doc(kubisto, renderer=pydoc.plaintext)
    for word in ["Room(divide=5)", "connect()", "add(x, y, z", "render(path", "ValueError", "OSError",
                 "マゼンタ", "class LiveRoom", "blocks()"]:
        assert word in text, word
    for name in ["add", "delete", "move", "select", "blocks", "clear", "load", "save", "view", "turn",
                 "render", "export"]:
        assert getattr(kubisto.Room, name).__doc__, name
        if name not in ("render", "export"):
            assert getattr(kubisto.LiveRoom, name).__doc__, name
    # Both manuals name every format export writes.
    for extension in [".obj", ".ply", ".stl", ".gltf", ".glb", ".3mf", ".x", ".vox"]:
        assert extension + " " in kubisto.__doc__ or extension + ")" in kubisto.__doc__, extension
        assert extension in kubisto.Room.export.__doc__, extension

# Live mode: the real program under the offscreen platform with its script server, driven over
# its socket by kubisto.connect() and by hostile clients.
import json
import os
import random
import signal
import socket
import stat
import subprocess
import time

import pytest

import kubisto
from conftest import BIN_DIR, layout_bytes, vox_bytes


def start(tmp_path, *args):
    runtime = tmp_path / "runtime"
    runtime.mkdir(mode=0o700, exist_ok=True)
    env = dict(os.environ, XDG_RUNTIME_DIR=str(runtime), HOME=str(tmp_path),
               QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy")
    env.pop("KUBISTO_SOCKET", None)
    program = subprocess.Popen([os.path.join(BIN_DIR, "kubisto"), *args], env=env, cwd=BIN_DIR,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    return program, str(runtime / "kubisto.sock")


def wait_for_socket(program, path):
    """Waits up to a minute for the program's script server; fails if the program ends first."""
    deadline = time.monotonic() + 60
    while not os.path.exists(path):
        assert program.poll() is None, (
            program.stderr.read().decode() if program.stderr else "the program ended")
        assert time.monotonic() < deadline, "no script server"
        time.sleep(0.05)


def stop(program):
    program.send_signal(signal.SIGTERM)
    try:
        program.wait(30)
    except subprocess.TimeoutExpired:
        program.kill()
        program.wait()
        pytest.fail("the program did not end on SIGTERM")


@pytest.fixture(scope="module")
def live(tmp_path_factory):
    tmp_path = tmp_path_factory.mktemp("live")
    program, path = start(tmp_path)
    wait_for_socket(program, path)
    yield program, path
    stop(program)


def connect(live, discard=True):
    # The tests share one program: most let each other's work go.
    return kubisto.connect(live[1], timeout=30, discard=discard)


def test_the_socket_is_for_its_user_only(live):
    mode = stat.S_IMODE(os.stat(live[1]).st_mode)
    assert mode & 0o077 == 0


def test_a_script_adds_moves_and_deletes_blocks_in_the_window(live, tmp_path):
    room = connect(live)
    room.divide = 5
    room.clear()
    assert room.divide == 5 and room.blocks() == [] and room.current is None
    assert room.add(0, 0, 0, "red") is True
    assert room.add(0, 0, 0, "blue") is False
    assert room.add(4, 4, 4, "#0000FF") is True
    assert room.move("-x") is True and room.current == (3, 4, 4, 0xFF0000)
    assert room.select(0, 0, 0) and room.current == (0, 0, 0, 0x0000FF)
    assert room.delete(3, 4, 4) is True and room.delete(3, 4, 4) is False
    assert room.blocks() == [(0, 0, 0, 0x0000FF)]
    room.view("bird")
    room.turn("left")
    with pytest.raises(ValueError, match="outside the room"):
        room.add(5, 0, 0)
    with pytest.raises(ValueError):
        room.move("sideways")
    with pytest.raises(ValueError):
        room.add(1, 1, 1, "purple")
    with pytest.raises(ValueError):
        room.divide = 40
    with pytest.raises(TypeError):
        room.select(1.5, 0, 0)
    # Saved by the program, the layout is the headless room's.
    room.add(2, 1, 3, "yellow")
    room.save(tmp_path / "live.kbs")
    headless = kubisto.Room()
    headless.load(tmp_path / "live.kbs")
    assert headless.blocks() == room.blocks()
    headless.save(tmp_path / "headless.kbs")
    assert (tmp_path / "live.kbs").read_bytes() == (tmp_path / "headless.kbs").read_bytes()
    assert (tmp_path / "live.kbs").read_bytes() == layout_bytes(5, [(0, 0, 0, 0x0000FF), (2, 1, 3, 0x00FFFF)])
    with pytest.raises(OSError):
        room.load(tmp_path / "missing.kbs")
    room.divide = 3
    room.load(tmp_path / "live.kbs")
    assert room.divide == 5 and len(room.blocks()) == 2
    room.close()


def test_a_vox_file_of_several_models_loads_its_first_and_says_so(live, tmp_path):
    path = tmp_path / "two.vox"
    path.write_bytes(vox_bytes([((3, 3, 3), [(2, 2, 2, 1)]), ((2, 2, 2), [(1, 1, 1, 1)])]))
    room = connect(live)
    with pytest.warns(UserWarning, match="two.vox: the file holds 2 models; the first is read"):
        room.load(path)
    assert room.divide == 3 and room.blocks() == [(0, 2, 0, 0x0000FF)]
    room.divide = 5  # as the other tests expect the shared program
    room.close()


def test_two_clients_take_turns(live):
    first, second = connect(live), connect(live)
    first.clear()
    for i in range(5):
        assert first.add(i, 0, 0, "red")
        assert second.add(i, 1, 0, "blue")
    assert first.blocks() == second.blocks() and len(first.blocks()) == 10
    first.close()
    assert len(second.blocks()) == 10
    second.close()


def raw(live):
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.settimeout(30)
    s.connect(live[1])
    return s, s.makefile("rb")


def ask(s, reader, line):
    s.sendall(line)
    return json.loads(reader.readline())


def test_bad_requests_get_error_replies_and_change_nothing(live):
    room = connect(live)
    room.clear()
    room.add(1, 1, 1, "green")
    before = room.blocks()
    s, reader = raw(live)
    cases = [b"not json\n", b"[1, 2]\n", b'{"id": 1}\n', b'{"id": 2, "cmd": "explode"}\n',
             b'{"id": 3, "cmd": "add", "args": {"x": "0", "y": 0, "z": 0, "colour": 1}}\n',
             b'{"id": 4, "cmd": "add", "args": {"x": 0, "y": 0, "z": 0, "colour": 16777216}}\n',
             b'{"id": 5, "cmd": "add", "args": [0, 0, 0]}\n',
             b'{"id": 6, "cmd": "load", "args": {"path": 5}}\n',
             b'{"id": 7, "cmd": "add", "args": {"x": 1e300, "y": 0, "z": 0, "colour": 1}}\n',
             b'{"id": 8, "cmd": "exit"}\n', b'\xff\xfe\x00\n',
             b'{"id": 11, "cmd": "save", "args": {"path": "relative.kbs"}}\n']
    for line in cases:
        reply = ask(s, reader, line)
        assert reply["ok"] is False and reply["message"], line
    assert ask(s, reader, b'{"id": 9, "cmd": "add", "args": {"x": 1, "y": 1, "z": 1}}\n')["error"] == "TypeError"
    # A huge line is refused and the connection closed. The program may close it while the line
    # is still being sent; its reply is waiting all the same.
    try:
        s.sendall(b'{"id": 10, "cmd": "' + b"a" * (200 * 1024))
    except (BrokenPipeError, ConnectionResetError):
        pass
    reply = json.loads(reader.readline())
    assert reply["ok"] is False and "too long" in reply["message"]
    assert reader.readline() == b""
    s.close()
    assert room.blocks() == before


def test_a_refused_client_always_reads_its_refusal(live):
    # The program reads and lets go of what still comes in and closes a moment later: were it to
    # close at once, the unread rest would reset the connection, refusal and all, now and then.
    for _ in range(5):
        s, reader = raw(live)
        s.sendall(b'{"id": 1, "cmd": "' + b"a" * (100 * 1024))
        assert "too long" in json.loads(reader.readline())["message"]
        assert reader.readline() == b""
        s.close()


def test_random_bytes_and_random_json_leave_the_program_responsive(live):
    room = connect(live)
    room.clear()
    room.add(2, 2, 2, "cyan")
    before = room.blocks()
    rng = random.Random(18)
    words = ["add", "delete", "move", "CLEAR", "load", "save", "view", "turn", "set_divide", "blocks", None, 7]
    deadline = time.monotonic() + 5
    rounds = 0
    while time.monotonic() < deadline and rounds < 200:
        rounds += 1
        s, reader = raw(live)
        if rng.random() < 0.5:
            s.sendall(bytes(rng.randrange(256) for _ in range(rng.randrange(1, 400))) + b"\n")
        else:
            # Commands that would change the room get arguments of the wrong kind (clear takes
            # none: only its wrong spelling is sent).
            args = {k: rng.choice([None, "w", "", "rel.kbs", [], {}, 1.5, -7, True]) for k in
                    rng.sample(["x", "y", "z", "colour", "path", "name", "step", "direction", "divide"], 3)}
            s.sendall(json.dumps({"id": rounds, "cmd": rng.choice(words), "args": args}).encode() + b"\n")
        if rng.random() < 0.5:
            reader.readline()
        s.close()
    assert room.blocks() == before
    assert room.add(0, 0, 0, "red")
    assert live[0].poll() is None


def test_a_client_that_leaves_mid_request_is_forgotten(live):
    room = connect(live)
    room.clear()
    s, _ = raw(live)
    s.sendall(b'{"id": 1, "cmd": "blocks"}\n' * 50)
    s.close()
    assert room.blocks() == []
    assert room.add(1, 0, 0)


def test_no_script_server_when_told(tmp_path):
    program, path = start(tmp_path, "--no-script-server")
    try:
        time.sleep(3)
        assert program.poll() is None
        assert not os.path.exists(path)
        with pytest.raises(ConnectionError):
            kubisto.connect(path, timeout=5)
    finally:
        stop(program)

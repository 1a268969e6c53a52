# The live connection against careless and hostile neighbours: runtime folders of others, floods
# of clients, a program out of file descriptors, a second program on the same socket, and the
# requests of scripts that would throw work away or pass what the program cannot take.
import json
import os
import re
import resource
import signal
import socket
import subprocess
import threading
import time

import pytest

import kubisto
from conftest import BIN_DIR, layout_bytes
from test_live import ask, connect, live, raw, start, stop, wait_for_socket  # noqa: F401 (live is a fixture)

RED = 0x0000FF


def start_logged(tmp_path, name):
    """The program with its standard error in a file, so that it can be read while it runs."""
    runtime = tmp_path / "runtime"
    runtime.mkdir(mode=0o700, exist_ok=True)
    log = tmp_path / (name + ".log")
    env = dict(os.environ, XDG_RUNTIME_DIR=str(runtime), HOME=str(tmp_path),
               QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy")
    env.pop("KUBISTO_SOCKET", None)
    with open(log, "wb") as err:
        program = subprocess.Popen([os.path.join(BIN_DIR, "kubisto")], env=env, cwd=BIN_DIR,
                                   stdout=subprocess.DEVNULL, stderr=err)
    return program, str(runtime / "kubisto.sock"), log


def wait_for_line(log, text, program):
    deadline = time.monotonic() + 60
    while text not in log.read_text(errors="replace"):
        assert program.poll() is None, "the program ended"
        assert time.monotonic() < deadline, "the program never said: " + text
        time.sleep(0.05)


def memory_peak_mb(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    raise AssertionError("no VmHWM")


# --- The client's side ---

def test_a_runtime_folder_that_is_not_the_users_alone_is_refused(tmp_path, monkeypatch):
    monkeypatch.delenv("KUBISTO_SOCKET", raising=False)
    folder = tmp_path / "runtime"
    folder.mkdir()
    os.chmod(folder, 0o755)
    monkeypatch.setenv("XDG_RUNTIME_DIR", str(folder))
    for call in (kubisto.socket_path, kubisto.connect):
        with pytest.raises(ConnectionError, match=re.escape(str(folder)) + ".*0755"):
            call()
    os.chmod(folder, 0o700)
    assert kubisto.socket_path() == str(folder / "kubisto.sock")
    # A link in its place could be changed by whoever owns the folder holding it.
    link = tmp_path / "link"
    link.symlink_to(folder)
    monkeypatch.setenv("XDG_RUNTIME_DIR", str(link))
    with pytest.raises(ConnectionError, match=re.escape(str(link))):
        kubisto.socket_path()
    monkeypatch.setenv("XDG_RUNTIME_DIR", str(tmp_path / "missing"))
    with pytest.raises(ConnectionError, match=re.escape(str(tmp_path / "missing"))):
        kubisto.connect()
    if os.getuid() == 0:
        os.chown(folder, 65534, 65534)
        monkeypatch.setenv("XDG_RUNTIME_DIR", str(folder))
        with pytest.raises(ConnectionError, match="owned by uid 65534"):
            kubisto.socket_path()


def test_every_connection_error_names_the_socket(tmp_path):
    missing = str(tmp_path / "none.sock")
    with pytest.raises(ConnectionError, match=re.escape(missing)):
        kubisto.connect(missing, timeout=5)
    # A listener that hangs up at once.
    path = str(tmp_path / "rude.sock")
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    server.bind(path)
    server.listen(1)

    def hang_up():
        client, _ = server.accept()
        client.close()

    thread = threading.Thread(target=hang_up)
    thread.start()
    with pytest.raises(ConnectionError, match=re.escape(path)):
        kubisto.connect(path, timeout=30)
    thread.join()
    server.close()


# --- Requests of scripts, on the shared program ---

def test_scripts_keep_unsaved_work_unless_told(live, tmp_path):
    base = tmp_path / "base.kbs"
    base.write_bytes(layout_bytes(5, []))
    free = connect(live)
    free.load(base)
    strict = connect(live, discard=False)
    strict.add(1, 1, 1)
    for action in (lambda: strict.load(base), strict.clear, lambda: setattr(strict, "divide", 4)):
        with pytest.raises(ValueError, match="unsaved work.*discard=True"):
            action()
    assert strict.blocks() == [(1, 1, 1, RED)] and strict.divide == 5
    strict.load(base, discard=True)
    assert strict.blocks() == []
    # The cell count alone differs from the file: unsaved work too.
    strict.divide = 4
    with pytest.raises(ValueError, match="unsaved work"):
        strict.divide = 3
    strict.clear(discard=True)
    strict.save(tmp_path / "four.kbs")
    strict.divide = 3
    assert strict.divide == 3
    strict.close()
    free.close()


def test_numbers_texts_and_paths_are_taken_as_given(live, tmp_path):
    room = connect(live)
    room.load(_empty_layout(tmp_path))
    huge = 2 ** 70
    with pytest.raises(ValueError, match="x %d is out of range" % huge):
        room.add(huge, 0, 0)
    s, reader = raw(live)
    reply = ask(s, reader, b'{"id": 1, "cmd": "add", "args": {"x": %d, "y": 0, "z": 0, "colour": 1}}\n' % huge)
    assert reply["error"] == "ValueError" and "%d is out of range" % huge in reply["message"]
    reply = ask(s, reader, b'{"id": 2, "cmd": "set_divide", "args": {"divide": 40, "discard": true}}\n')
    assert reply["error"] == "ValueError" and "40 is out of range" in reply["message"]
    assert "CWorkRoom" not in reply["message"]
    good = tmp_path / "good.kbs"
    good.write_bytes(layout_bytes(3, [(0, 0, 0, RED)]))
    request = {"id": 3, "cmd": "load", "args": {"path": str(good) + "\0junk", "discard": True}}
    reply = ask(s, reader, json.dumps(request).encode() + b"\n")
    assert reply["error"] == "ValueError" and "NUL" in reply["message"]
    s.close()
    assert room.divide == 5 and room.blocks() == []
    # A backslash is an ordinary character of a name.
    room.add(1, 0, 0)
    room.save(tmp_path / "a\\b.kbs")
    assert (tmp_path / "a\\b.kbs").read_bytes() == layout_bytes(5, [(1, 0, 0, RED)])
    # Names the file window could never list again.
    for name in (".kbs", ".hidden.kbs"):
        with pytest.raises(ValueError, match="beginning with"):
            room.save(tmp_path / name)
        assert not (tmp_path / name).exists()
    room.close()


def _empty_layout(tmp_path):
    path = tmp_path / "empty.kbs"
    path.write_bytes(layout_bytes(5, []))
    return path


# --- The server, each test with a program of its own ---

@pytest.fixture
def program(tmp_path):
    program, path = start(tmp_path)
    wait_for_socket(program, path)
    yield program, path
    if program.poll() is None:
        stop(program)


def test_a_flood_of_clients_is_refused_beyond_the_caps_and_memory_stays_bounded(program):
    process, path = program
    line = (json.dumps({"id": 1, "cmd": "blocks", "pad": "x" * 60000}) + "\n").encode()
    messages = []

    def take(client, data):
        client["in"] += data
        while b"\n" in client["in"]:
            reply, client["in"] = client["in"].split(b"\n", 1)
            answer = json.loads(reply)
            if not answer["ok"]:
                messages.append(answer["message"])

    clients = []
    for _ in range(100):
        s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        s.connect(path)
        s.setblocking(False)
        clients.append({"socket": s, "sent": 0, "in": b""})
    data = line * 40  # 2.4 MB for each client, 240 MB in all
    for _ in range(60):
        for client in clients:
            s = client["socket"]
            if s is None:
                continue
            try:
                # What the program said comes first: a refused client is closed soon after.
                while True:
                    got = s.recv(1 << 20)
                    if not got:
                        raise ConnectionResetError
                    take(client, got)
            except BlockingIOError:
                pass
            except OSError:
                client["socket"] = None
                s.close()
                continue
            if client["sent"] < len(data):
                try:
                    client["sent"] += s.send(data[client["sent"]:client["sent"] + 65536])
                except BlockingIOError:
                    pass
                except OSError:
                    pass  # refused: the next round reads what is left and closes it
    assert memory_peak_mb(process.pid) < 200
    # Each client hangs up; what the program said to it meanwhile is read to the end.
    for client in clients:
        s = client["socket"]
        if s is None:
            continue
        s.setblocking(True)
        s.settimeout(30)
        try:
            s.shutdown(socket.SHUT_WR)
            while True:
                got = s.recv(1 << 20)
                if not got:
                    break
                take(client, got)
        except (ConnectionResetError, BrokenPipeError):
            pass
        s.close()
    assert any("too many clients" in m for m in messages)
    assert memory_peak_mb(process.pid) < 200
    room = kubisto.connect(path, timeout=30)
    assert room.blocks() == []
    room.close()


def test_the_server_outlives_running_out_of_file_descriptors(program):
    process, path = program
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    base = len(os.listdir("/proc/%d/fd" % process.pid))
    resource.prlimit(process.pid, resource.RLIMIT_NOFILE, (base + 6, hard))
    held = []
    try:
        for _ in range(40):
            s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
            s.settimeout(30)
            s.connect(path)
            held.append(s)
        answers = []
        for s in held:
            try:
                s.sendall(b'{"id": 1, "cmd": "hello"}\n')
            except BrokenPipeError:
                pass  # refused and closed already: the refusal waits to be read
            try:
                reply = s.makefile("rb").readline()
            except ConnectionResetError:
                reply = b""  # closed before the refusal could be read
            answers.append(json.loads(reply) if reply else None)
        served = [a for a in answers if a and a["ok"]]
        refused = [a for a in answers if not (a and a["ok"])]
        assert served and refused
        assert all(a is None or "file descriptors" in a["message"] for a in refused)
    finally:
        for s in held:
            s.close()
        resource.prlimit(process.pid, resource.RLIMIT_NOFILE, (soft, hard))
    # Still listening, at the same socket.
    assert os.path.exists(path)
    room = kubisto.connect(path, timeout=30)
    assert room.divide == 5
    room.close()
    stop(process)
    assert b"still listening" in process.stderr.read()


def test_a_busy_program_keeps_its_socket_from_a_second_one(tmp_path):
    first, path, _ = start_logged(tmp_path, "first")
    try:
        wait_for_socket(first, path)
        inode = os.stat(path).st_ino
        first.send_signal(signal.SIGSTOP)  # it cannot answer a probe now
        try:
            second, _, log = start_logged(tmp_path, "second")
            wait_for_line(log, "another Kubisto is listening", second)
        finally:
            first.send_signal(signal.SIGCONT)
        assert os.stat(path).st_ino == inode
        stop(second)
        assert os.stat(path).st_ino == inode, "the second program's end left the socket alone"
        room = kubisto.connect(path, timeout=30)
        assert room.divide == 5
        room.close()
    finally:
        stop(first)
    assert not os.path.exists(path), "the first program's end removed its own socket"


def test_of_two_programs_started_together_one_serves(tmp_path):
    one, path, one_log = start_logged(tmp_path, "one")
    two, _, two_log = start_logged(tmp_path, "two")
    try:
        wait_for_socket(one, path)
        deadline = time.monotonic() + 60
        while True:
            said = [b"another Kubisto" in log.read_bytes() for log in (one_log, two_log)]
            if any(said):
                break
            assert time.monotonic() < deadline, "neither program gave way"
            time.sleep(0.05)
        assert said.count(True) == 1
        loser, winner = (one, two) if said[0] else (two, one)
        stop(loser)
        room = kubisto.connect(path, timeout=30)
        assert room.divide == 5
        room.close()
        stop(winner)
        assert not os.path.exists(path)
    finally:
        for program in (one, two):
            if program.poll() is None:
                stop(program)

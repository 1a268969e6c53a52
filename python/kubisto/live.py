"""The live connection to the running program (see the package's help for the API).

The program listens on a local socket readable by its user only. Each call sends one
request, a JSON object on one line, and waits for its reply, one JSON object on one line:

    {"id": 7, "cmd": "add", "args": {"x": 0, "y": 0, "z": 0, "colour": 255}}
    {"id": 7, "ok": true, "result": true}
    {"id": 8, "ok": false, "error": "ValueError", "message": "cell (9, 0, 0) is outside ..."}
"""

import getpass
import json
import os
import socket

from ._kubisto import colour as _colour

PROTOCOL = 1
_SOCKET_NAME = "kubisto.sock"


class ProtocolError(RuntimeError):
    """The program refused a request it could not understand."""


def socket_path():
    """Where the running program listens: KUBISTO_SOCKET when set, else kubisto.sock in the
    user's runtime folder ($XDG_RUNTIME_DIR, else /run/user/UID, else /tmp/runtime-USER)."""
    if os.environ.get("KUBISTO_SOCKET"):
        return os.environ["KUBISTO_SOCKET"]
    runtime = os.environ.get("XDG_RUNTIME_DIR")
    if not runtime:
        runtime = "/run/user/%d" % os.getuid()
        if not os.path.isdir(runtime):
            runtime = "/tmp/runtime-" + getpass.getuser()
    return os.path.join(runtime, _SOCKET_NAME)


_ERRORS = {"ValueError": ValueError, "OSError": OSError, "TypeError": TypeError}


class LiveRoom:
    """The room of the running program. Made by connect(); the same API as Room, without
    render() and export(). Each call runs in the program as the matching command does,
    waiting while one of its modal windows is open."""

    def __init__(self, path=None, timeout=30.0):
        self._socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self._socket.settimeout(timeout)
        try:
            self._socket.connect(path or socket_path())
        except OSError as error:
            self._socket.close()
            raise ConnectionError("kubisto is not running with its script server (%s)" % error) from None
        self._reader = self._socket.makefile("rb")
        self._id = 0
        hello = self._call("hello")
        if hello.get("protocol") != PROTOCOL:
            raise ProtocolError("the program speaks protocol %r, not %d" % (hello.get("protocol"), PROTOCOL))

    def close(self):
        """Ends the connection; nothing more is done in the program for it."""
        if self._socket is not None:
            self._reader.close()
            self._socket.close()
            self._socket = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def _call(self, cmd, **args):
        if self._socket is None:
            raise ConnectionError("the connection is closed")
        self._id += 1
        line = json.dumps({"id": self._id, "cmd": cmd, "args": args}, ensure_ascii=False) + "\n"
        try:
            self._socket.sendall(line.encode("utf-8"))
            reply = self._reader.readline()
        except socket.timeout:
            # The request may still be waiting in the program: closing drops it there.
            self.close()
            raise TimeoutError("kubisto did not answer in time (is a window of it open?)") from None
        except OSError as error:
            self.close()
            raise ConnectionError("kubisto closed the connection (%s)" % error) from None
        if not reply:
            self.close()
            raise ConnectionError("kubisto closed the connection")
        answer = json.loads(reply)
        if answer.get("ok"):
            return answer.get("result")
        raise _ERRORS.get(answer.get("error"), ProtocolError)(answer.get("message", "refused"))

    @staticmethod
    def _cell(x, y, z):
        for v in (x, y, z):
            if isinstance(v, bool) or not isinstance(v, int):
                raise TypeError("a cell is given by three integers")
        return {"x": x, "y": y, "z": z}

    @property
    def divide(self):
        """Cells per axis. Setting 3, 4 or 5 acts as the Options menu; 1..16 are accepted."""
        return self._call("get_divide")

    @divide.setter
    def divide(self, value):
        self._call("set_divide", divide=value)

    def add(self, x, y, z, colour="red"):
        """Puts a block into the cell and makes it current; False when the cell is taken."""
        return self._call("add", colour=_colour(colour), **self._cell(x, y, z))

    def delete(self, x, y, z):
        """Removes the block in the cell; False when it was empty."""
        return self._call("delete", **self._cell(x, y, z))

    def select(self, x, y, z):
        """Makes the block in the cell current, as a click on it does; False for an empty cell."""
        return self._call("select", **self._cell(x, y, z))

    def move(self, direction):
        """Moves the current block one cell: 'x', '-x', 'y', '-y', 'z' or '-z'."""
        return self._call("move", direction=direction)

    @property
    def current(self):
        """The current block as (x, y, z, colour), or None."""
        c = self._call("current")
        return None if c is None else tuple(c)

    def blocks(self):
        """Every block as (x, y, z, colour), ordered by z, then y, then x."""
        return [tuple(b) for b in self._call("blocks")]

    def clear(self):
        """Removes every block, as File > New does."""
        self._call("clear")

    def load(self, path):
        """Reads a layout file into the program's room; OSError when it cannot."""
        self._call("load", path=os.path.abspath(os.fspath(path)))

    def save(self, path):
        """Writes the program's room as a layout file; OSError when it cannot."""
        self._call("save", path=os.path.abspath(os.fspath(path)))

    def view(self, name):
        """Shows the room from 'front', 'top', 'side' or 'bird'."""
        self._call("view", name=name)

    def turn(self, step):
        """Turns the room one step: 'up', 'down', 'left' or 'right'."""
        self._call("turn", step=step)


def connect(path=None, timeout=30.0):
    """The running program's room, as a LiveRoom.

    path is the program's socket (see socket_path()); timeout the seconds to wait for each
    reply before TimeoutError. ConnectionError when the program is not running."""
    return LiveRoom(path, timeout)

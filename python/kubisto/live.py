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
import stat
import warnings

from ._kubisto import _whole
from ._kubisto import colour as _colour

PROTOCOL = 1
_SOCKET_NAME = "kubisto.sock"


class ProtocolError(RuntimeError):
    """The program refused a request it could not understand."""


def _runtime_folder():
    """The user's runtime folder ($XDG_RUNTIME_DIR, else /run/user/UID, else /tmp/runtime-USER),
    used only when it is the user's alone: owned by the user, mode 0700. Anyone else who could
    write there could pose as the program and read every request."""
    runtime = os.environ.get("XDG_RUNTIME_DIR")
    if not runtime:
        runtime = "/run/user/%d" % os.getuid()
        if not os.path.isdir(runtime):
            runtime = "/tmp/runtime-" + getpass.getuser()
    try:
        info = os.lstat(runtime)
    except OSError as error:
        raise ConnectionError("no runtime folder %s (%s): is kubisto running?"
                              % (runtime, error.strerror)) from None
    if not stat.S_ISDIR(info.st_mode) or info.st_uid != os.getuid() \
            or stat.S_IMODE(info.st_mode) != 0o700:
        raise ConnectionError(
            "the runtime folder %s is not yours alone (it must be a folder owned by you with mode "
            "0700; it is owned by uid %d with mode %04o): not connecting through it"
            % (runtime, info.st_uid, stat.S_IMODE(info.st_mode)))
    return runtime


def socket_path():
    """Where the running program listens: KUBISTO_SOCKET when set, else kubisto.sock in the
    user's runtime folder ($XDG_RUNTIME_DIR, else /run/user/UID, else /tmp/runtime-USER).
    ConnectionError when that folder is not the user's alone (owned by the user, mode 0700)."""
    if os.environ.get("KUBISTO_SOCKET"):
        return os.environ["KUBISTO_SOCKET"]
    return os.path.join(_runtime_folder(), _SOCKET_NAME)


_ERRORS = {"ValueError": ValueError, "OSError": OSError, "TypeError": TypeError}


class LiveRoom:
    """The room of the running program. Made by connect(); the same API as Room, without
    render() and export(). Each call runs in the program as the matching command does,
    waiting while one of its modal windows is open."""

    def __init__(self, path=None, timeout=30.0, discard=False):
        self._path = os.fspath(path) if path is not None else socket_path()
        self.discard = discard
        self._socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self._socket.settimeout(timeout)
        try:
            self._socket.connect(self._path)
        except OSError as error:
            self._socket.close()
            self._socket = None
            raise ConnectionError("kubisto is not running with its script server at %s (%s)"
                                  % (self._path, error)) from None
        self._reader = self._socket.makefile("rb")
        self._id = 0
        try:
            hello = self._call("hello")  # refused, for one, when too many clients are connected
        except Exception:
            self.close()
            raise
        if not isinstance(hello, dict) or hello.get("protocol") != PROTOCOL:
            self.close()
            raise ProtocolError("the program at %s speaks protocol %r, not %d"
                                % (self._path, hello.get("protocol") if isinstance(hello, dict) else hello,
                                   PROTOCOL))

    @property
    def path(self):
        """The socket this room is connected through."""
        return self._path

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
            raise ConnectionError("the connection to kubisto at %s is closed" % self._path)
        self._id += 1
        line = json.dumps({"id": self._id, "cmd": cmd, "args": args}, ensure_ascii=False) + "\n"
        try:
            self._socket.sendall(line.encode("utf-8"))
            reply = self._reader.readline()
        except socket.timeout:
            # The request may still be waiting in the program: closing drops it there.
            self.close()
            raise TimeoutError("kubisto at %s did not answer in time (is a window of it open?)"
                               % self._path) from None
        except OSError as error:
            self.close()
            raise ConnectionError("kubisto at %s closed the connection (%s)" % (self._path, error)) from None
        if not reply:
            self.close()
            raise ConnectionError("kubisto at %s closed the connection" % self._path)
        try:
            answer = json.loads(reply)
        except ValueError:
            self.close()
            raise ProtocolError("kubisto at %s answered something that is not JSON" % self._path) from None
        if answer.get("ok"):
            return answer.get("result")
        raise _ERRORS.get(answer.get("error"), ProtocolError)(answer.get("message", "refused"))

    def _discard(self, discard):
        return bool(self.discard if discard is None else discard)

    def _cell(self, x, y, z):
        try:
            return {"x": _whole(x, "x"), "y": _whole(y, "y"), "z": _whole(z, "z")}
        except ValueError:
            # Beyond what the program takes: the message names the room's cells, as a Room's does.
            divide = self._call("get_divide")
            return {"x": _whole(x, "x", divide), "y": _whole(y, "y", divide),
                    "z": _whole(z, "z", divide)}

    @property
    def divide(self):
        """Cells per axis. Setting 3, 4 or 5 acts as the Options menu; 1..16 are accepted."""
        return self._call("get_divide")

    @divide.setter
    def divide(self, value):
        self._call("set_divide", divide=_whole(value, "divide"), discard=self._discard(None))

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

    def clear(self, discard=None):
        """Removes every block, as File > New does. ValueError when the room holds unsaved
        work, unless discard (or the room's discard) is True."""
        self._call("clear", discard=self._discard(discard))

    def load(self, path, discard=None):
        """Reads a layout file into the program's room; OSError when it cannot. ValueError when
        the room holds unsaved work, unless discard (or the room's discard) is True. A .vox
        model opens as a layout; of a file of several models the first is read, with a warning."""
        note = self._call("load", path=_absolute(path), discard=self._discard(discard))
        if note:
            warnings.warn(note, stacklevel=2)

    def save(self, path):
        """Writes the program's room as a layout file; OSError when it cannot."""
        self._call("save", path=_absolute(path))

    def view(self, name):
        """Shows the room from 'front', 'top', 'side' or 'bird'."""
        self._call("view", name=name)

    def turn(self, step):
        """Turns the room one step: 'up', 'down', 'left' or 'right'."""
        self._call("turn", step=step)

    def picture(self, path):
        """Writes the program's main window as it is on screen as a PNG picture; OSError when it
        cannot be written."""
        self._call("picture", path=_absolute(path))


def _absolute(path):
    """The path from the script's own folder, as a name the program can be sent (JSON text)."""
    path = os.fsdecode(os.fspath(path))
    if not os.path.isabs(path):
        path = os.path.join(os.getcwd(), path)  # as given otherwise: no ".." is resolved here
    try:
        path.encode("utf-8")
    except UnicodeEncodeError:
        raise ValueError("%r: the program takes only names that are valid UTF-8" % path) from None
    return path


def connect(path=None, timeout=30.0, discard=False):
    """The running program's room, as a LiveRoom.

    path is the program's socket (see socket_path()); timeout the seconds to wait for each
    reply before TimeoutError. ConnectionError, naming the socket, when the program is not
    running. discard=True lets load, clear and a new divide throw unsaved work away without
    being told so each time (else they raise ValueError while the room holds unsaved work)."""
    return LiveRoom(path, timeout, discard)

"""Kubisto from Python: build with blocks in a room of cells, headless or in the open window.

Two kinds of room share one API:

    Room(divide=5)   a room of your own with no window, for scripts, tests and pictures
    connect()        the room of the running program: each call acts on its window live,
                     with its sounds, as the matching button or menu does

A room has divide x divide x divide cells (the program offers 3, 4 and 5; a Room takes
1..16). A cell is (x, y, z), each 0..divide-1: x to the right, y up, z towards the front.

Colours are numbers 0xBBGGRR (as the layout files store them), strings "#RRGGBB", or the
names of the colour menu: red, blue, yellow, green, magenta, cyan, or in Japanese
赤, 青, 黄, 緑, マゼンタ, シアン.

Operations (both kinds of room):

    room.divide                  cells per axis; setting it empties the room
    room.add(x, y, z, colour)    puts a block in and makes it current; False if the cell is taken
    room.delete(x, y, z)         removes the block in the cell; False if it was empty
    room.select(x, y, z)         makes the block in the cell current, as a click on it does
    room.move(direction)         moves the current block: 'x', '-x', 'y', '-y', 'z', '-z'
    room.current                 the current block (x, y, z, colour), or None
    room.blocks()                every block as (x, y, z, colour), ordered by z, y, x
    room.clear(discard=None)     removes every block
    room.load(path, discard=None)  reads a layout file (.kbs) or a .vox model
    room.save(path)              writes a layout file as the program does

Unsaved work is never thrown away silently, and a script never opens a question in the
window: while the room's blocks or cell count differ from the last load or save, load,
clear and setting divide raise ValueError, unless discard=True is passed to the call or
was given to Room(..., discard=True) or connect(..., discard=True). Paths are taken
exactly as given ("\\" is an ordinary character in a name); a file name to save to may
not begin with ".".
    room.view(name)              'front', 'top', 'side' or 'bird'
    room.turn(step)              'up', 'down', 'left' or 'right'

Live rooms only:

    room.picture(path)           the program's main window as a PNG picture

Headless rooms only:

    room.render(path, size=(417, 347), view=None)   the view as a PNG picture
    room.export(path, cell_size=10.0)               a 3D model (EXPORT_EXTENSIONS)

Errors are exceptions: ValueError for a cell outside the room, a number out of range, an
unknown colour, direction, view or step, unsaved work (see above) or a NUL character in a
text; OSError for files that cannot be read or written (with the
program's own message naming the file and line); TypeError for arguments of the wrong
kind. A live room also raises ConnectionError, naming the socket, when the program has
gone or its runtime folder is not the user's alone, TimeoutError when it did not answer in
time (a modal window of the program stays open), and ProtocolError when the program
refused a request (for one, when too many clients are connected).

Example:

    import kubisto
    room = kubisto.Room()
    for step in range(5):
        room.add(step, step, 0, "red")
    room.save("stairs.kbs")
    room.render("stairs.png")
"""

import os as _os

from . import _kubisto
from ._kubisto import Room, colour
from .live import LiveRoom, ProtocolError, connect, socket_path

# The formats export writes, as the compiled part lists them.
if __doc__:  # None under python -OO
    __doc__ = __doc__.replace("EXPORT_EXTENSIONS", _kubisto._export_extensions)

__all__ = ["Room", "LiveRoom", "connect", "colour", "socket_path", "ProtocolError", "data_dir"]


def data_dir():
    """The folder holding the program's data files (the wall pictures a Room is drawn with).

    KUBISTO_DATA_DIR when set; else the build folder the package was built into (bin/, two
    levels up); else the installed program's shared folder (PREFIX/share/kubisto, the package
    being installed in PREFIX/lib/python3/dist-packages/kubisto).
    """
    here = _os.path.dirname(_os.path.abspath(__file__))
    prefix = _os.path.normpath(_os.path.join(here, "..", "..", "..", ".."))
    candidates = [_os.environ.get("KUBISTO_DATA_DIR", ""),
                  _os.path.dirname(_os.path.dirname(here)),
                  _os.path.join(prefix, "share", "kubisto"),
                  "/usr/share/kubisto", "/usr/local/share/kubisto"]
    for folder in candidates:
        if folder and _os.path.isdir(_os.path.join(folder, "walls")):
            return folder
    return "."


_kubisto._set_data_dir(data_dir())

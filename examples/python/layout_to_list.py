"""Prints a layout file's blocks as a Python list, one (x, y, z, "#RRGGBB") per line.

    python3 layout_to_list.py FILE.kbs
"""
import sys

import kubisto


def as_list(path):
    room = kubisto.Room()
    room.load(path)
    out = []
    for x, y, z, colour in room.blocks():
        # The file stores 0xBBGGRR; people read #RRGGBB.
        rgb = "#%02X%02X%02X" % (colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF)
        out.append((x, y, z, rgb))
    return room.divide, out


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    divide, blocks = as_list(sys.argv[1])
    print("divide = %d" % divide)
    print("blocks = [")
    for block in blocks:
        print("    %r," % (block,))
    print("]")

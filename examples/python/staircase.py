"""A staircase of blocks up the room's diagonal, each step a colour of its own.

    python3 staircase.py [stairs.kbs] [--live]

Headless it saves the layout and a picture of it; with --live it builds in the open window.
"""
import sys

import kubisto

COLOURS = ["red", "yellow", "green", "cyan", "blue", "magenta"]


def build(room):
    room.clear()
    n = room.divide
    for step in range(n):
        # Each step is a column as high as its number.
        for height in range(step + 1):
            room.add(step, height, step, COLOURS[step % len(COLOURS)])


if __name__ == "__main__":
    args = [a for a in sys.argv[1:] if a != "--live"]
    if "--live" in sys.argv:
        build(kubisto.connect())
    else:
        room = kubisto.Room()
        build(room)
        path = args[0] if args else "stairs.kbs"
        room.save(path)
        room.render(path[:-4] + ".png" if path.endswith(".kbs") else path + ".png", view="bird")
        print("%d blocks written to %s" % (len(room.blocks()), path))

"""A tower that grows from the middle of the floor, wandering a cell at random at each level.

    python3 random_tower.py [tower.kbs] [--seed N] [--live]
"""
import random
import sys

import kubisto


def build(room, seed):
    rng = random.Random(seed)
    room.clear()
    n = room.divide
    x = z = n // 2
    for y in range(n):
        room.add(x, y, z, rng.choice(["red", "blue", "yellow", "green", "magenta", "cyan"]))
        # The next level leans one cell, staying inside the room.
        x = min(n - 1, max(0, x + rng.choice([-1, 0, 1])))
        z = min(n - 1, max(0, z + rng.choice([-1, 0, 1])))


if __name__ == "__main__":
    args = sys.argv[1:]
    seed = None
    if "--seed" in args:
        i = args.index("--seed")
        seed = int(args[i + 1])
        del args[i:i + 2]
    live = "--live" in args
    args = [a for a in args if a != "--live"]
    room = kubisto.connect() if live else kubisto.Room()
    build(room, seed)
    if not live:
        path = args[0] if args else "tower.kbs"
        room.save(path)
        print("%d blocks written to %s" % (len(room.blocks()), path))

#!/usr/bin/env python3
"""Large levels for measuring the solver, made from small ones: levels of a
collection set side by side as rooms of a hall, each opened to the hall's
corridors by a tunnel dug from its player's cell (the first room keeps the
player). Digging only adds floor, so a room that could be won still can.

    python3 tests/bench/rooms_side_by_side.py COLLECTION COLUMNS ROOMS LEVELS SEED

writes LEVELS levels of ROOMS rooms each, COLUMNS to a row, in the common
notation. The same seed makes the same levels. For measuring only: the
levels come from the collection, which stays where it is.
"""
import random
import sys


def read_levels(path):
    levels, rows = [], []
    with open(path, encoding="latin-1") as text:
        for line in text:
            line = line.rstrip("\n")
            if line and "#" in line and set(line) <= set("#@+$*. "):
                rows.append(line)
            elif rows:
                levels.append(rows)
                rows = []
    if rows:
        levels.append(rows)
    return levels


def opened(rows):
    """The level with a tunnel dug from the player straight out to its edge,
    along the first way that meets no box; None when every way does."""
    width = max(len(row) for row in rows)
    grid = [list(row.ljust(width)) for row in rows]
    py, px = next((y, x) for y, row in enumerate(grid) for x, c in enumerate(row) if c in "@+")
    for dy, dx in ((-1, 0), (1, 0), (0, -1), (0, 1)):
        y, x, way = py + dy, px + dx, []
        while 0 <= y < len(grid) and 0 <= x < width and grid[y][x] not in "$*":
            way.append((y, x))
            y, x = y + dy, x + dx
        if 0 <= y < len(grid) and 0 <= x < width:
            continue
        for y, x in way:
            if grid[y][x] == "#":
                grid[y][x] = " "
        return grid
    return None


def hall(rooms, columns):
    room_width = max(len(room[0]) for room in rooms) + 2
    room_height = max(len(room) for room in rooms) + 2
    lines = (len(rooms) + columns - 1) // columns
    width, height = columns * room_width + 1, lines * room_height + 1
    grid = [[" "] * width for _ in range(height)]
    for i, room in enumerate(rooms):
        top, left = (i // columns) * room_height + 1, (i % columns) * room_width + 1
        for y, row in enumerate(room):
            for x, c in enumerate(row):
                if i > 0 and c in "@+":
                    c = " " if c == "@" else "."
                grid[top + y][left + x] = c
    grid = [["#"] * (width + 2)] + [["#"] + row + ["#"] for row in grid] + [["#"] * (width + 2)]
    return ["".join(row).rstrip() for row in grid]


def main():
    path, columns, count, levels, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
    pool = [room for room in (opened(level) for level in read_levels(path)) if room]
    chance = random.Random(seed)
    for n in range(levels):
        print("; %d rooms, %d" % (count, n + 1))
        print("\n".join(hall(chance.sample(pool, count), columns)))
        print()


if __name__ == "__main__":
    main()

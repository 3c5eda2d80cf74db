#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/<target>/: the
shipped levels, malformed and short files, and numbers at and past the edges
of their ranges. Run it again after changing the shipped levels; the files it
writes are committed so every build fuzzes from the same start."""

import glob
import os

HERE = os.path.dirname(os.path.abspath(__file__))
LEVELS = os.path.join(HERE, "..", "..", "levels")


def level(boxes_to_place=1, own="levels\\level1.kzm", nxt="lastlevel", start=(2, 2),
          walls=(), boxes=(), targets=(), header=(0, 0, 0, 0, None, 0)):
    """The 930 tokens of a level with the given slots; unused slots are -1 -1."""
    head = [boxes_to_place if value is None else value for value in header]

    def slots(cells, count):
        cells = list(cells) + [(-1, -1)] * (count - len(cells))
        return "\n".join("%d %d" % cell for cell in cells)

    return "%s\n%s\n%s\n%d %d\n%s\n%s\n%s\n" % (
        " ".join(str(v) for v in head), own, nxt, start[0], start[1],
        slots(walls, 260), slots(boxes, 100), slots(targets, 100))


def room(picture, left=1, top=1, **options):
    walls, boxes, targets, start = [], [], [], (0, 0)
    for y, row in enumerate(picture.strip("\n").split("\n")):
        for x, c in enumerate(row):
            cell = (x + left, y + top)
            if c == "#":
                walls.append(cell)
            if c in "$*":
                boxes.append(cell)
            if c in ".*+":
                targets.append(cell)
            if c in "@+":
                start = cell
    options.setdefault("boxes_to_place", len(boxes))
    return level(start=start, walls=walls, boxes=boxes, targets=targets, **options)


INT_MIN, INT_MAX = -2147483648, 2147483647


def level_seeds():
    seeds = {}
    for path in sorted(glob.glob(os.path.join(LEVELS, "*.kzm"))):
        with open(path, "rb") as f:
            seeds["shipped-" + os.path.basename(path)] = f.read()
    one = room("#######\n#@$. ##\n#######")
    seeds["one-push"] = one.encode()
    seeds["empty"] = b""
    seeds["only-whitespace"] = b" \t\r\n\v\f"
    seeds["header-only"] = b"0 0 0 0 1 0\n"
    seeds["names-only"] = b"0 0 0 0 1 0\nlevels\\a.kzm\nlastlevel\n"
    seeds["cut-in-the-walls"] = one.encode()[:200]
    seeds["cut-after-a-digit"] = one.rstrip().encode()[:-3]
    seeds["crlf-lines"] = one.replace("\n", "\r\n").encode()
    seeds["tabs-and-no-final-newline"] = one.replace(" ", "\t").rstrip("\n").encode()
    seeds["extreme-numbers"] = level(
        boxes_to_place=INT_MAX, header=(INT_MIN, INT_MAX, -1, 0, None, INT_MIN),
        start=(INT_MAX, INT_MIN), walls=[(INT_MIN, INT_MIN), (INT_MAX, INT_MAX)],
        boxes=[(INT_MAX, 0), (INT_MIN, 0)], targets=[(INT_MAX, INT_MAX)]).encode()
    seeds["past-the-range"] = one.replace("0 0 0 0 1 0", "2147483648 -2147483649 0 0 1 0", 1).encode()
    seeds["twenty-digits"] = one.replace("0 0 0 0 1 0", "0 0 0 0 99999999999999999999 0", 1).encode()
    seeds["leading-zeros-and-signs"] = one.replace("0 0 0 0 1 0", "+0 -0 00000000000000000007 +1 +01 -0", 1).encode()
    seeds["glued-numbers"] = one.replace("2 2\n", "2-2\n", 1).encode()
    seeds["lone-signs"] = one.replace("0 0 0 0 1 0", "0 0 - + 1 0", 1).encode()
    seeds["nul-and-high-bytes-in-names"] = one.replace("levels\\level1.kzm", "lev\x00els\xff\x80", 1).encode("latin-1")
    seeds["long-name"] = one.replace("lastlevel", "x" * 3000, 1).encode()
    seeds["trailing-garbage"] = (one + "garbage 1 2 3 -\x00\xff").encode("latin-1")
    seeds["binary"] = bytes(range(256))
    return seeds


def saved_game_seeds():
    return {
        "ordinary": b"levels\\level2.kzm\n2\n3\n1\n",
        "empty": b"",
        "name-only": b"levels\\level1.kzm\n",
        "no-final-newline": b"levels\\level1.kzm\n1\n0\n0",
        "crlf": b"levels\\level1.kzm\r\n1\r\n0\r\n0\r\n",
        "extremes": b"levels\\level1.kzm\n-2147483648\n4294967295\n4294967295\n",
        "past-the-range": b"levels\\level1.kzm\n2147483648\n4294967296\n99999999999999999999\n",
        "negative-counters": b"levels\\level1.kzm\n-1\n-1\n-1\n",
        "signs-and-zeros": b"levels\\level1.kzm\n+7\n+000\n00000000000000000000012\n",
        "hex-and-exponent": b"levels\\level1.kzm\n0x10\n1e5\n3.5\n",
        "long-name": b"a" * 5000 + b"\n1\n2\n3\n",
        "nul-bytes": b"lev\x00el\n\x001\n2\n3\n",
        "binary": bytes(range(256)),
    }


def move_seeds(levels):
    moves = "rrllUUDDruldRDLU" * 4
    seeds = {}
    for name, text in levels.items():
        if name.startswith("shipped-"):
            seeds[name + "-wander"] = text + moves.encode()
    # The first shipped level won, so the completion checks see a won level.
    seeds["level1-won"] = levels.get("shipped-level1.kzm", b"") + b"rr"
    seeds["one-push-then-stuck"] = room("#######\n#@$. ##\n#######").encode() + b"rrrrdu"
    seeds["two-boxes-in-a-row"] = room("########\n#@$$.. #\n########").encode() + b"rrrlr"
    seeds["boxes-sharing-a-cell"] = level(start=(2, 2), walls=[(1, 2), (6, 2)], boxes=[(3, 2), (3, 2)],
                                          targets=[(4, 2), (5, 2)]).encode() + b"rrrlllrr"
    seeds["player-on-a-wall"] = level(start=(3, 3), walls=[(3, 3), (4, 3)], boxes=[(3, 4)],
                                      targets=[(3, 5)]).encode() + b"rddlu"
    seeds["column-zero-never-counts"] = level(start=(2, 3), walls=[], boxes=[(1, 3)], targets=[(0, 3)],
                                              boxes_to_place=0).encode() + b"llll"
    seeds["off-the-grid"] = level(start=(0, 0), walls=[(5, 5)], boxes=[(0, 1)], targets=[(0, 2)]).encode() + b"lluuddrr"
    every_wall = [(x, 20) for x in range(260)]
    seeds["every-wall-slot-used"] = level(start=(-3, -1), walls=every_wall).encode() + b"rrrruddd"
    seeds["at-the-edge-of-the-range"] = level(
        start=(INT_MAX - 1, INT_MIN + 1), walls=[], boxes=[(INT_MAX, INT_MIN + 1), (INT_MAX - 1, INT_MIN)],
        targets=[(INT_MAX, INT_MIN + 1)]).encode() + b"rrruuulld"
    seeds["short-level-then-moves"] = b"0 0 0 0 0 0 a b 5 5 udlrudlr"
    seeds["moves-after-a-bad-token"] = b"0 0 0 0 1 0 a b 5 5 1 x" + bytes(range(64))
    return seeds


def collection_seeds():
    room = "#####\n#@$.#\n#####\n"
    return {
        "two-levels-titled": ("; First\n" + room + "Title: one\n\n" + room.replace("@$.", ".$@")).encode(),
        "run-lengths-and-bars": b"4#2 $.|@#\n\n12#|#@3-$.4 #|#10_#|12#\n",
        "crlf-tabs-and-a-byte-order-mark": b"\xef\xbb\xbf\t#####  \r\n\t#+*$#\r\n\t#####\r\n",
        "comment-block-and-keys": ("Comment:\n" + room + "Comment-End:\nAuthor: me\n' two\n" + room).encode(),
        "every-refusal": b"@@$.\n\n$.\n\n@\n\n@$$.\n\n70#|@$.\n\n@$.|65#\n",
        "open-outside": b"#|@$.|||  #\n",
        "widest-run": b"99999999999999999999#\n@$.\n",
        "count-without-a-symbol": b"#### 4\n12\n---\n",
        "binary": bytes(range(256)),
        "empty": b"",
    }


def records_seeds():
    head = "boxyard records 1\ncollection Mine\n"
    one = "level 1 key 00000000000000ff\nmoves 5 pushes 2 uuRdR\npushes 2 moves 5 uuRdR\n"
    two = ("level 2 key 0123456789ABCDEF\r\nmoves 3 pushes 3 LLL\r\npushes 1 moves 4 uuuR\r\n")
    return {
        "two-levels": (head + one + "\n" + two).encode(),
        "best-by-pushes-with-more-moves": (head + one.replace("pushes 2 moves 5 uuRdR", "pushes 1 moves 9 uuuuuuuuR")).encode(),
        "same-level-twice": (head + one + one.replace("uuRdR", "uRduR")).encode(),
        "counts-that-do-not-match": (head + one.replace("moves 5", "moves 6", 1)).encode(),
        "cut-inside-a-level": (head + one)[:-9].encode(),
        "recent-collections": b"# boxyard: collections opened, most recent first\n/home/ann/levels.txt\n/x\r\nrel\n/x\n",
        "nul-and-high-bytes": b"boxyard records 1\ncollection \x00\xff\nlevel 1 key 00000000000000ff\x00\n",
        "binary": bytes(range(256)),
        "empty": b"",
    }


def write(target, seeds):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    levels = level_seeds()
    write("level_reader", levels)
    write("saved_game", saved_game_seeds())
    write("moves", move_seeds(levels))
    write("collection_reader", collection_seeds())
    write("records_reader", records_seeds())

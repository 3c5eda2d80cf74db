"""Taking moves back, making them again, the hint and the lost-level warning,
in the real window: U restores board and panel, Shift+U pushes again with its
sound, the hints lead through a shipped level to its win, and a push into a
corner is warned of until U takes it back."""

import collections
import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import (ARROWS, BOX, CELL, FLOOR, PLAYER_DOWN, PLAYER_LEFT, RED,  # noqa: E402
                     GameTestCase, close_colour, read_capture, sound_bursts)

MARK = (80, 235, 255)
STEPS = {"u": (0, -1), "d": (0, 1), "l": (-1, 0), "r": (1, 0)}

ROOM = """
#######
#  $@.#
#     #
#######
"""
# Top-left at (1, 1): the player on (5, 2), the box on (4, 2), the target on
# (6, 2). Two pushes left put the box in the corner (2, 2).


def read_level(path):
    """Walls, boxes, targets and the start of a level file."""
    with open(path) as f:
        tokens = f.read().split()
    numbers = [int(t) for t in tokens[8:]]
    pairs = [(numbers[i], numbers[i + 1]) for i in range(2, len(numbers), 2)]
    walls = set(pair for pair in pairs[:260] if pair != (-1, -1))
    boxes = [pair for pair in pairs[260:360] if pair != (-1, -1)]
    targets = [pair for pair in pairs[360:460] if pair != (-1, -1)]
    return walls, boxes, targets, (numbers[0], numbers[1])


def walk(walls, boxes, start, goal):
    """The arrow letters of a shortest walk that pushes nothing."""
    came = {start: None}
    queue = collections.deque([start])
    while queue:
        cell = queue.popleft()
        if cell == goal:
            break
        for letter, (dx, dy) in STEPS.items():
            near = (cell[0] + dx, cell[1] + dy)
            if near not in came and near not in walls and near not in boxes and 0 <= near[0] < 20 and 0 <= near[1] < 13:
                came[near] = (cell, letter)
                queue.append(near)
    letters, cell = [], goal
    while came[cell] is not None:
        cell, letter = came[cell]
        letters.append(letter)
    return letters[::-1]


class UndoAndHint(GameTestCase):
    def hint_mark(self, game, picture):
        """(column, row, way) of the hint's mark, or None."""
        for row in range(13):
            for column in range(20):
                x, y = column * CELL, row * CELL
                if close_colour(picture.at(x + 1, y + 1), MARK, 16) and close_colour(picture.at(x + 30, y + 30), MARK, 16):
                    # The arrow's head is its heavy end: the way is the half
                    # of the cell with the most of the arrow in it.
                    halves = collections.Counter()
                    for dy in range(5, 27):
                        for dx in range(5, 27):
                            if close_colour(picture.at(x + dx, y + dy), MARK, 16):
                                halves["r" if dx >= 16 else "l"] += 1
                                halves["d" if dy >= 16 else "u"] += 1
                    way = max("rldu", key=lambda w: halves[w] - halves[{"r": "l", "l": "r", "u": "d", "d": "u"}[w]])
                    return column, row, way
        return None

    def test_u_takes_a_push_back_and_shift_u_pushes_again_with_its_sound(self):
        shutil.rmtree(os.path.join(self.folder, "music"), ignore_errors=True)
        env, raw = self.capture_sound()
        game = self.start_on_level(ROOM, extra_env=env)
        game.wait_for(lambda p: game.cell_shows(p, 5, 2, [FLOOR, PLAYER_DOWN]), what="level 1")
        before = game.picture()
        game.press("Left")
        game.wait_for(lambda p: game.cell_shows(p, 3, 2, [FLOOR, BOX]), what="the box pushed")
        time.sleep(1.0)
        self.assertEqual(len(sound_bursts(read_capture(raw))), 1, "the push is heard")

        game.press("u")
        game.wait_for(lambda p: game.cell_shows(p, 4, 2, [FLOOR, BOX]), what="the push taken back")
        after = game.picture()
        self.assertEqual(after.pixels, before.pixels, "board and panel exactly as before the push")
        time.sleep(1.0)
        self.assertEqual(len(sound_bursts(read_capture(raw))), 1, "taking back is silent")

        game.press("shift+u")
        game.wait_for(lambda p: game.cell_shows(p, 3, 2, [FLOOR, BOX]), what="the push made again")
        picture = game.picture()
        self.assertTrue(game.cell_shows(picture, 4, 2, [FLOOR, PLAYER_LEFT]))
        self.assert_panel(game, picture, 1, 1)
        time.sleep(1.5)
        self.assertEqual(len(sound_bursts(read_capture(raw))), 2, "the push made again is heard")

    def test_a_push_into_a_corner_is_warned_of_and_u_takes_the_warning_away(self):
        game = self.start_on_level(ROOM)
        game.press("Left")
        game.wait_for(lambda p: game.cell_shows(p, 3, 2, [FLOOR, BOX]), what="the first push")
        self.assertFalse(game.text_at(game.picture(), 320, 440, "Lost!", RED), "still winnable: no warning")
        game.press("Left")
        game.wait_for(lambda p: game.text_at(p, 320, 440, "Lost!", RED)
                      and game.text_at(p, 360, 440, " This level can no longer be won."), what="the warning")
        self.assertTrue(game.text_at(game.picture(), 320, 450, "U takes the push back, R restarts."))
        game.press("BackSpace")
        game.wait_for(lambda p: game.cell_shows(p, 3, 2, [FLOOR, BOX]), what="the push taken back")
        self.assertFalse(game.text_at(game.picture(), 320, 440, "Lost!", RED), "the warning is gone")

    def test_the_hints_lead_through_a_shipped_level_to_its_win(self):
        # The third shipped level, played as the first.
        shutil.copy(os.path.join(self.folder, "levels", "level3.kzm"), os.path.join(self.folder, "levels", "level1.kzm"))
        walls, boxes, targets, player = read_level(os.path.join(self.folder, "levels", "level1.kzm"))
        game = self.start_game()
        game.start_new_game()
        last = None
        for _ in range(30):
            game.press("h", hold=0.05)
            found = []
            game.wait_for(lambda p: found.append(self.hint_mark(game, p)) or found[-1] not in (None, last),
                          what="the hint's mark")
            column, row, way = last = found[-1]
            self.assertIn((column, row), boxes, "the mark stands on a box")
            self.assertTrue(game.text_at(game.picture(), 320, 440, "Hint: push the marked crate %s."
                                         % {"u": "up", "d": "down", "l": "left", "r": "right"}[way]))
            dx, dy = STEPS[way]
            for letter in walk(walls, boxes, player, (column - dx, row - dy)):
                game.press(ARROWS[letter], hold=0.12)
            game.press(ARROWS[way], hold=0.12)
            boxes[boxes.index((column, row))] = (column + dx, row + dy)
            player = (column, row)
            if all(box in targets for box in boxes):
                break
        game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level 1 "), what="the level won")


if __name__ == "__main__":
    unittest.main()

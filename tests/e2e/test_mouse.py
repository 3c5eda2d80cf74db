"""The mouse in the real window, at 1x and enlarged twice on a 1920x1080
desktop: pointing and clicking in the menu starts a game, a click walks the
player by a shortest way, the right button takes a move back, a box clicked
and then its target is pushed there; the enlarged window shows the 1x
picture pixel for pixel, and F5 in play changes the scale and keeps it."""

import os
import sys
import unittest
from collections import deque

sys.path.insert(0, os.path.dirname(__file__))
from harness import BOX, FLOOR, PLAYER_DOWN, PLAYER_RIGHT, TARGET, GameTestCase  # noqa: E402

# Drawn from cell (1, 1): the player starts on (2, 2), a wall runs down
# column 4 from row 2 to row 4, the box is on (7, 3) and its target on (9, 3).
YARD = """
##########
#@ #     #
#  #  $ .#
#  #     #
#        #
##########
"""
FAR_CELL = (5, 2)


def walk_length(picture, start, goal, left=1, top=1):
    """The fewest steps from start to goal round walls and boxes."""
    rows = picture.strip("\n").split("\n")

    def free(x, y):
        row, column = y - top, x - left
        return 0 <= row < len(rows) and 0 <= column < len(rows[row]) and rows[row][column] not in "#$*"

    seen, queue = {start: 0}, deque([start])
    while queue:
        x, y = queue.popleft()
        for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if free(nx, ny) and (nx, ny) not in seen:
                seen[(nx, ny)] = seen[(x, y)] + 1
                queue.append((nx, ny))
    return seen[goal]


class MouseAtEachScale:
    expected_scale = 1

    def test_pointing_and_clicking_plays_a_level_through(self):
        self.write_level(1, YARD, last=True)
        game = self.start_game().open_menu()
        self.assertEqual(game.window_size(), (640 * self.expected_scale, 480 * self.expected_scale))
        # Pointing at Continue Saved Game moves the cursor there; a click on
        # New Game starts the game.
        game.point_at(200, 100)
        game.wait_for_menu(2)
        game.click(200, 75)
        game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 1")
                      and game.cell_shows(p, 2, 2, [FLOOR, PLAYER_DOWN]), what="a new game")

        steps = walk_length(YARD, (2, 2), FAR_CELL)
        game.click_cell(*FAR_CELL)
        game.wait_for(lambda p: game.cell_shows(p, 2, 2, [FLOOR]) and game.text_at(p, 0, 450, "Steps Taken  : %d" % steps),
                      what="the walk to %r" % (FAR_CELL,))
        self.assert_panel(game, game.picture(), steps, 0)

        game.click_cell(3, 5, button=3)
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : %d" % (steps - 1)), what="a step back")

        game.click_cell(7, 3)
        game.click_cell(9, 3)
        game.wait_for(lambda p: game.text_at(p, 260, 144, "Congratulations!"), what="the level won")
        picture = game.picture()
        self.assertTrue(game.cell_shows(picture, 7, 3, [FLOOR]), "the box has left its cell")
        # Walked round to (6, 3), then two pushes.
        self.assert_panel(game, picture, steps - 1 + 3, 2)
        # A click answers the closing screen as Enter does.
        game.click(320, 300)
        game.wait_for_menu(1)


class MouseAtOneTimes(MouseAtEachScale, GameTestCase):
    xvfb_size = "800x600"
    expected_scale = 1


class MouseEnlargedTwice(MouseAtEachScale, GameTestCase):
    xvfb_size = "1920x1080"
    expected_scale = 2

    def check_f5_steps_the_scale_and_remembers_it(self, game):
        """In play on a 1920x1080 desktop F5 goes from 2x to 1x and back, the
        choice kept in the settings file, and the keys play on as before."""
        for scale in (1, 2):
            game.press("F5", hold=0.1)
            game.wait_for_saved("settings", b"scale %d\n" % scale)
            game.wait_for_scale(scale)
        game.press("Right")
        game.wait_for(lambda p: game.cell_shows(p, 3, 2, [FLOOR, PLAYER_RIGHT]), what="a step after F5")
        self.assert_panel(game, game.picture(), 1, 0)

    def test_the_enlarged_window_shows_the_picture_pixel_for_pixel(self):
        self.write_level(1, YARD, last=True)
        pictures = {}
        for scale in (1, 2):
            game = self.start_game(args=("--scale", str(scale)))
            game.start_new_game()
            game.wait_for(lambda p: game.cell_shows(p, 7, 3, [FLOOR, BOX]) and game.cell_shows(p, 9, 3, [FLOOR, TARGET]),
                          what="the level")
            self.assertEqual(game.window_size(), (640 * scale, 480 * scale))
            pictures[scale] = game.window_picture()
            if scale == 2:
                self.check_f5_steps_the_scale_and_remembers_it(game)
            game.stop()
        small, large = pictures[1], pictures[2]
        for y in range(960):
            for x in range(1280):
                if large.at(x, y) != small.at(x // 2, y // 2):
                    self.fail("pixel (%d, %d) of the 2x window differs from (%d, %d) at 1x"
                              % (x, y, x // 2, y // 2))


del MouseAtEachScale

if __name__ == "__main__":
    unittest.main()

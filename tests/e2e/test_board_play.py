"""Playing a level in the real window: the board and panel appear, an arrow
press moves one cell, a push moves box and player, a wall only turns the figure."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import (BOX, FLOOR, PLAYER_DOWN, PLAYER_LEFT, PLAYER_RIGHT, PLAYER_UP,  # noqa: E402
                     TARGET, WALL, GameTestCase)

ROOM = """
##########
#        #
#  @ $ . #
#        #
#        #
##########
"""
# Drawn with its top-left corner at cell (1, 1): the player starts on (4, 3),
# the box on (6, 3) and the target on (8, 3).


class BoardPlay(GameTestCase):
    def start_in_room(self):
        game = self.start_on_level(ROOM)
        game.wait_for(lambda p: game.cell_shows(p, 4, 3, [FLOOR, PLAYER_DOWN]), what="level 1")
        return game

    def test_level_one_and_its_status_lines_appear(self):
        game = self.start_in_room()
        picture = game.picture()
        self.assertTrue(game.cell_shows(picture, 1, 1, [FLOOR, WALL]))
        self.assertTrue(game.cell_shows(picture, 6, 3, [FLOOR, BOX]))
        self.assertTrue(game.cell_shows(picture, 8, 3, [FLOOR, TARGET]))
        self.assertTrue(game.cell_shows(picture, 15, 10, [FLOOR]))
        self.assert_panel(game, picture, 0, 0)

    def test_a_held_arrow_moves_exactly_one_cell(self):
        game = self.start_in_room()
        game.press("Down", hold=1.0)
        game.wait_for(lambda p: game.cell_shows(p, 4, 4, [FLOOR, PLAYER_DOWN]), what="one step down")
        picture = game.picture()
        self.assertTrue(game.cell_shows(picture, 4, 5, [FLOOR]), "held for a second, still one cell")
        self.assert_panel(game, picture, 1, 0)

    def test_a_push_moves_box_and_player_and_counts_both(self):
        game = self.start_in_room()
        game.press("Right")
        game.press("Right")
        game.wait_for(lambda p: game.cell_shows(p, 7, 3, [FLOOR, BOX]), what="the box pushed")
        picture = game.picture()
        self.assertTrue(game.cell_shows(picture, 6, 3, [FLOOR, PLAYER_RIGHT]))
        self.assert_panel(game, picture, 2, 1)

    def test_a_wall_turns_the_figure_without_moving_it(self):
        game = self.start_in_room()
        game.press("Up")
        game.wait_for(lambda p: game.cell_shows(p, 4, 2, [FLOOR, PLAYER_UP]), what="a step up")
        game.press("Up")
        game.press("Left")
        game.wait_for(lambda p: game.cell_shows(p, 4, 2, [FLOOR, PLAYER_LEFT]) is False
                      and game.cell_shows(p, 3, 2, [FLOOR, PLAYER_LEFT]), what="a step left")
        game.press("Up")
        game.wait_for(lambda p: game.cell_shows(p, 3, 2, [FLOOR, PLAYER_UP]), what="turned up at the wall")
        self.assert_panel(game, game.picture(), 2, 0)

    def test_a_missing_first_level_is_reported_and_ends_the_game(self):
        os.remove(os.path.join(self.folder, "levels", "level1.kzm"))
        game = self.start_game()
        self.assertEqual(self.message_box_text(game), "Unable to read file!")
        self.assertEqual(game.process.wait(timeout=10), 1)


if __name__ == "__main__":
    unittest.main()

"""Where the game goes when something stops play: a next level that cannot be
read returns to the menu with the autosave as it was, an arrow held through an
undo does not make the move again, and the close button ends the game even
while the file selector is open."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import ONE_PUSH, GameTestCase  # noqa: E402

# A step right, then the box stands against the wall: Right is blocked.
STEP_TO_A_STUCK_BOX = """
######
#@ $##
#   .#
######
"""


class SessionFlow(GameTestCase):
    def test_a_missing_next_level_returns_to_the_menu_and_continue_still_works(self):
        self.write_level(1, ONE_PUSH)
        self.write_level(2, ONE_PUSH, next_name="levels\\gone.kzm")
        game = self.start_game()
        game.start_new_game()
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level 1 "), what="level 1 won")
        game.press("Return", hold=0.05)
        game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 2"), what="level 2")
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level 2 "), what="level 2 won")
        game.press("Return", hold=0.05)
        self.assertEqual(self.message_box_text(game), "Unable to read file!")
        game.wait_for_menu(1)
        self.assertIsNone(game.process.poll(), "the game goes on in the menu")
        self.assertEqual(game.read_saved("autosave.kzs"), b"levels\\level2.kzm\n2\n1\n1\n",
                         "the autosave keeps the last level that could be opened")

        game.press("Down", hold=0.05)
        game.wait_for_menu(2)
        game.press("Return", hold=0.05)
        time.sleep(1.0)  # keys sent before the selector opens are thrown away
        game.press("Return", hold=0.05)
        game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 2")
                      and game.text_at(p, 0, 450, "Steps Taken  : 1"), what="level 2 continued")

    def test_an_arrow_held_through_an_undo_does_not_make_the_move_again(self):
        game = self.start_on_level(STEP_TO_A_STUCK_BOX)
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 1"), what="a step")
        game.hold("Right")  # against the stuck box: nothing moves
        try:
            time.sleep(0.3)
            game.press("u", hold=0.04)
            game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 0"), what="the step taken back")
            time.sleep(0.5)
            self.assert_panel(game, game.picture(), 0, 0)
        finally:
            game.release("Right")
        # The step taken back can still be made again: nothing wiped it.
        game.hold("shift")
        game.press("u", hold=0.1)
        game.release("shift")
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 1"), what="the step made again")

    def test_the_close_button_ends_the_game_while_the_file_selector_is_open(self):
        game = self.start_on_level(ONE_PUSH, ONE_PUSH)
        game.press("Down")
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 1"), what="a step")
        game.press("s", hold=0.1)
        time.sleep(1.0)  # the selector is open and waiting for a name
        self.assertIsNone(game.process.poll())
        game.request_close()
        closed = time.time()
        self.assertEqual(game.wait_for_exit(), 0, game.printed())
        self.assertLess(time.time() - closed, 0.5, "the close is acted on at once")
        self.assertEqual(game.read_saved("autosave.kzs"), b"levels\\level1.kzm\n1\n1\n0\n")


if __name__ == "__main__":
    unittest.main()

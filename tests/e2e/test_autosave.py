"""The progress kept without asking: autosave.kzs in the player's folder after
a level is won and on leaving a level for the menu, Continue opening on it, an
autosave that cannot be written leaving play going, and the window's close
button ending the game with status 0 and the level kept."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import ONE_PUSH, GameTestCase  # noqa: E402


class Autosave(GameTestCase):
    def setUp(self):
        super().setUp()
        self.write_level(1, ONE_PUSH)
        self.write_level(2, ONE_PUSH)
        self.write_level(3, ONE_PUSH, last=True)

    def win_level_1(self, game):
        game.start_new_game()
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level 1 "), what="level 1 won")

    def test_winning_and_leaving_keep_the_game_and_continue_goes_on_from_there(self):
        game = self.start_game()
        self.win_level_1(game)
        game.wait_for_saved("autosave.kzs", b"levels\\level2.kzm\n2\n1\n1\n")
        game.press("Return", hold=0.05)
        game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 2"), what="level 2")
        game.stop()  # the game is lost without a word: a crash, a power cut

        game = self.start_game().open_menu()
        game.press("Down", hold=0.05)
        game.wait_for_menu(2)
        game.press("Return", hold=0.05)
        time.sleep(1.0)  # keys sent before the selector opens are thrown away
        game.press("Return", hold=0.05)
        game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 2")
                      and game.text_at(p, 0, 450, "Steps Taken  : 1")
                      and game.text_at(p, 0, 460, "Times pushed : 1"), what="level 2 with the counters kept")
        game.press("Down")
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 2"), what="a step on level 2")
        game.leave_for_menu()
        game.wait_for_saved("autosave.kzs", b"levels\\level2.kzm\n2\n2\n1\n")
        # Besides the records of the level won, the autosave alone: no file half-written.
        self.assertEqual(sorted(os.listdir(game.player_folder)), ["autosave.kzs", "records"])

    def test_an_autosave_that_cannot_be_written_leaves_play_going(self):
        game = self.start_game()
        # A file where the player's folder should be: nothing can go in it,
        # even for root.
        os.makedirs(game.data_home)
        with open(game.player_folder, "w") as f:
            f.write("not a folder\n")
        self.win_level_1(game)
        game.press("Return", hold=0.05)
        game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 2"), what="level 2")
        game.press("Down")
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 2"), what="play going on")
        game.leave_for_menu()
        self.assertIsNone(game.process.poll())
        complaints = [line for line in game.printed().splitlines() if "could not keep the progress" in line]
        self.assertEqual(len(complaints), 2, game.printed())

    def test_the_close_button_keeps_the_level_in_play_and_ends_with_status_0(self):
        game = self.start_game()
        game.start_new_game()
        game.press("Down")
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 1"), what="a step")
        game.request_close()
        self.assertEqual(game.wait_for_exit(), 0, game.printed())
        self.assertEqual(game.read_saved("autosave.kzs"), b"levels\\level1.kzm\n1\n1\n0\n")

        # Closed from the menu, the game ends the same way and leaves the
        # autosave as it was: the menu is no game in progress.
        game = self.start_game().open_menu()
        game.request_close()
        self.assertEqual(game.wait_for_exit(), 0, game.printed())
        self.assertEqual(game.read_saved("autosave.kzs"), b"levels\\level1.kzm\n1\n1\n0\n")


if __name__ == "__main__":
    unittest.main()

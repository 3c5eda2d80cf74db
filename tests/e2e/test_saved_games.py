"""Saving through the file selector and continuing from the menu, both in the
player's own folder; a save that cannot be written and a saved game whose
level is missing never end the game."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import BOX, FLOOR, ONE_PUSH, PLAYER_DOWN, GameTestCase  # noqa: E402


class SavedGames(GameTestCase):
    def type_in_selector(self, game, text):
        time.sleep(1.0)  # keys sent before the selector opens are thrown away
        game.xdotool("type", "--delay", "60", text)
        time.sleep(0.3)
        game.press("Return", hold=0.05)

    def test_a_saved_game_continues_with_its_level_number_and_counters(self):
        game = self.start_on_level(ONE_PUSH, ONE_PUSH)
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level 1 "), what="level won")
        game.press("Return", hold=0.05)
        game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 2"), what="level 2")
        game.press("Down")
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 3"), what="two more steps")

        game.press("s", hold=0.1)
        self.type_in_selector(game, "mysave.kzs")  # the selector opens in the player's folder
        game.wait_for_saved("mysave.kzs", b"levels\\level2.kzm\n2\n3\n1\n")
        self.assertFalse(os.path.exists(os.path.join(self.folder, "mysave.kzs")))

        game.leave_for_menu()
        game.press("Return", hold=0.05)  # a new game puts everything back to level 1
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 0"), what="a new game")
        game.leave_for_menu()
        game.press("Down", hold=0.05)
        game.wait_for_menu(2)
        game.press("Return", hold=0.05)
        # The selector opens on the autosave, written on leaving the new game;
        # the saved game is another name in the same folder.
        time.sleep(1.0)
        game.xdotool(*(["key", "BackSpace"] * len("autosave.kzs")))
        self.type_in_selector(game, "mysave.kzs")
        game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 2")
                      and game.text_at(p, 0, 450, "Steps Taken  : 3")
                      and game.text_at(p, 0, 460, "Times pushed : 1")
                      and game.cell_shows(p, 2, 2, [FLOOR, PLAYER_DOWN])
                      and game.cell_shows(p, 3, 2, [FLOOR, BOX]), what="the saved game, from its level's start")

    def test_a_save_that_cannot_be_written_says_so_and_play_goes_on(self):
        game = self.start_on_level(ONE_PUSH)
        game.press("s", hold=0.1)
        self.type_in_selector(game, "no-such-folder/game.kzs")
        self.assertEqual(self.message_box_text(game), "Unable to write file!")
        game.press("Down")
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 1"), what="play going on")
        self.assertIsNone(game.process.poll())

    def test_a_saved_game_naming_a_missing_level_stays_in_the_menu(self):
        game = self.start_game()
        os.makedirs(game.player_folder)
        with open(os.path.join(game.player_folder, "broken.kzs"), "wb") as f:
            f.write(b"levels\\missing.kzm\n4\n10\n2\n")
        game.open_menu()
        game.press("Down", hold=0.05)
        game.wait_for_menu(2)
        game.press("Return", hold=0.05)
        self.type_in_selector(game, "broken.kzs")
        self.assertEqual(self.message_box_text(game), "Unable to read file!")
        game.wait_for_menu(2)
        self.assertIsNone(game.process.poll())


if __name__ == "__main__":
    unittest.main()

"""The whole game around the board: the title, the menu and its ring of
entries, the instruction pages, winning levels to the end of the set, the
restart and quit questions, and leaving through Exit."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import (CLOSING_PAGE, FIRST_PAGE, FLOOR, ONE_PUSH, PLAYER_DOWN, RED,  # noqa: E402
                     TITLE, GameTestCase)


class MenuAndLevels(GameTestCase):
    def tap(self, game, key):
        game.press(key, hold=0.05)

    def test_title_then_the_menu_whose_entries_form_a_ring(self):
        game = self.start_game()
        game.find_window()
        game.wait_for(lambda p: game.shows_screen(p, TITLE), timeout=10, what="the title picture")
        game.wait_for_menu(1)
        self.tap(game, "Up")
        game.wait_for_menu(4)
        self.tap(game, "Down")
        game.wait_for_menu(1)
        self.tap(game, "Down")
        game.wait_for_menu(2)

    def test_the_instruction_pages_turn_and_return_to_the_menu(self):
        game = self.start_game().open_menu()
        self.tap(game, "Up")
        self.tap(game, "Up")
        game.wait_for_menu(3)
        self.tap(game, "Return")
        for page in range(FIRST_PAGE, FIRST_PAGE + 6):
            game.wait_for(lambda p: game.shows_screen(p, page), what="instruction page %d" % page)
            game.press("space")
            game.wait_for(lambda p: not game.shows_screen(p, page), what="the page to turn")
        game.wait_for(lambda p: game.shows_screen(p, CLOSING_PAGE), what="the closing page")
        game.press("space")
        game.wait_for_menu(3)

    def test_winning_carries_the_counters_on_to_the_next_level_and_the_end(self):
        game = self.start_on_level(ONE_PUSH, ONE_PUSH)
        game.press("Down")
        game.press("Up")
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level 1 ")
                      and game.text_at(p, 180, 144, " Hit [ENTER] to proceed to level 2 "), what="level won")
        game.press("Return")
        game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 2")
                      and game.cell_shows(p, 2, 2, [FLOOR, PLAYER_DOWN]), what="level 2")
        picture = game.picture()
        self.assertTrue(game.text_at(picture, 0, 450, "Steps Taken  : 3"))
        self.assertTrue(game.text_at(picture, 0, 460, "Times pushed : 1"))
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 260, 144, "Congratulations!")
                      and game.text_at(p, 200, 154, "You have completed this level set!")
                      and game.text_at(p, 180, 164, "Hit [ENTER] to return to the main screen!"),
                      what="the closing screen")
        # A quick tap: an Enter still held when the menu opens starts a new game.
        self.tap(game, "Return")
        game.wait_for_menu(1)

    def test_restart_asks_first_and_keeps_the_counters(self):
        game = self.start_on_level(ONE_PUSH)
        game.press("Down")
        game.wait_for(lambda p: game.cell_shows(p, 2, 3, [FLOOR, PLAYER_DOWN]), what="a step down")
        game.press("r", hold=0.1)
        game.wait_for(lambda p: game.text_at(p, 245, 128, " Restart Level ", RED)
                      and game.text_at(p, 220, 148, " Are you sure (y/n)? "), what="the restart question")
        game.press("n")
        time.sleep(0.5)
        picture = game.picture()
        self.assertTrue(game.cell_shows(picture, 2, 3, [FLOOR, PLAYER_DOWN]), "no leaves the level as it was")
        game.press("r", hold=0.1)
        game.wait_for(lambda p: game.text_at(p, 245, 128, " Restart Level ", RED), what="the question again")
        game.press("y")
        game.wait_for(lambda p: game.cell_shows(p, 2, 2, [FLOOR, PLAYER_DOWN])
                      and game.text_at(p, 0, 450, "Steps Taken  : 1"), what="the level restarted")

    def test_quit_returns_to_the_menu_and_exit_ends_with_status_zero(self):
        game = self.start_game()
        game.start_new_game()
        game.press("Escape", hold=0.1)
        game.wait_for(lambda p: game.text_at(p, 280, 128, " Quit ", RED), what="the quit question")
        game.press("y")
        game.wait_for_menu(1)
        self.tap(game, "Up")
        game.wait_for_menu(4)
        self.tap(game, "Return")
        self.assertEqual(game.process.wait(timeout=10), 0)


if __name__ == "__main__":
    unittest.main()

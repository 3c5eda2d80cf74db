"""Collections as a player opens them: a file in the common notation from the
command line at any level and from the menu's O, a level larger than the board
drawn whole and won, Continue going back to a collection's level, and a chain
imported into a relative folder played past its first level."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import ARROWS, MASK_16, GameTestCase, close_colour, rgb_of_565  # noqa: E402

# Seven small rooms, each won by one push: right, but down on level 7.
RIGHT = "#####\n#@$.#\n#####\n"
DOWN = "###\n#@#\n#$#\n#.#\n###\n"
SMALL_SET = "".join("; Room %d\n%s\n" % (n, DOWN if n == 7 else RIGHT) for n in range(1, 9))

# 30 x 20: a box to push along the top row from one end to the other.
BIG_ROOM = "\n".join(
    "".join("#" if x in (0, 29) or y in (0, 19) else "@" if (x, y) == (1, 1) else "$" if (x, y) == (2, 1)
            else "." if (x, y) == (28, 1) else " " for x in range(30)) for y in range(20)) + "\n"

WALL_16 = 16 + 4  # the wall picture of the 16-pixel set in sprites.dat


class Collections(GameTestCase):
    def write_collection(self, name, text):
        path = os.path.join(self.folder, name)
        with open(path, "w") as f:
            f.write(text)
        return path

    def level_shown(self, game, number):
        return lambda p: game.text_at(p, 0, 440, "Level        : %d" % number)

    def win_and_see(self, game, number, keys, last=False):
        for key in keys:
            game.press(key, hold=0.12)
        if last:
            game.wait_for(lambda p: game.text_at(p, 260, 144, "Congratulations!"), what="the set finished")
        else:
            game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level %d " % number),
                          what="level %d won" % number)

    def test_level_7_of_a_file_plays_and_continue_goes_back_to_it(self):
        path = self.write_collection("rooms.txt", SMALL_SET)
        game = self.start_game(args=("--level", "7", path))
        game.find_window()
        game.wait_for(self.level_shown(game, 7), timeout=15, what="level 7 straight after the title")
        game.press("Left")  # a step that goes nowhere but turns the figure
        self.win_and_see(game, 7, ["Down"])
        game.press("Return", hold=0.05)
        game.wait_for(self.level_shown(game, 8), what="level 8 of the file")
        game.leave_for_menu()
        self.assertEqual(game.read_saved("autosave.kzs"), ("%s#8\n8\n1\n1\n" % path).encode())

        game.press("Down", hold=0.05)
        game.wait_for_menu(2)
        game.press("Return", hold=0.05)
        time.sleep(1.0)  # keys sent before the selector opens are thrown away
        game.press("Return", hold=0.05)
        game.wait_for(lambda p: self.level_shown(game, 8)(p) and game.text_at(p, 0, 450, "Steps Taken  : 1"),
                      what="level 8 continued")

    def test_a_level_larger_than_the_board_is_drawn_whole_and_won(self):
        path = self.write_collection("big.txt", "Title: big room\n" + BIG_ROOM)
        game = self.start_game(args=("--level", "1", path))
        game.find_window()
        game.wait_for(self.level_shown(game, 1), timeout=15, what="the big level")
        # 30 x 20 cells fit at 16 pixels: 480 x 320, centred above the panel.
        left, top = (640 - 480) // 2, (432 - 320) // 2
        width, height, values = game.sprites[WALL_16]
        self.assertEqual((width, height), (16, 16))
        picture = game.picture()
        for cx, cy in ((0, 0), (29, 0), (0, 19), (29, 19)):
            for y in range(16):
                for x in range(16):
                    expected = rgb_of_565(values[y * 16 + x])
                    self.assertTrue(close_colour(picture.at(left + cx * 16 + x, top + cy * 16 + y), expected),
                                    "the wall of corner cell (%d, %d)" % (cx, cy))
        self.win_and_see(game, 1, ["Right"] * 26, last=True)

    def test_o_in_the_menu_opens_a_collection(self):
        game = self.start_game()
        os.makedirs(game.player_folder, exist_ok=True)
        with open(os.path.join(game.player_folder, "mine.txt"), "w") as f:
            f.write(SMALL_SET)
        game.open_menu()
        game.press("o", hold=0.1)
        time.sleep(1.0)  # the selector opens in the player's folder
        game.xdotool("type", "--delay", "60", "mine.txt")
        game.press("Return", hold=0.05)
        time.sleep(1.0)  # the chooser opens on the collection, at its first level
        game.press("Return", hold=0.05)
        game.wait_for(lambda p: game.menu_entry(p) is None and self.level_shown(game, 1)(p), what="its level 1")
        self.win_and_see(game, 1, ["Right"])

    def test_a_chain_imported_into_a_relative_folder_plays_past_its_first_level(self):
        self.write_collection("two.txt", "; one\n" + RIGHT + "\n; two\n" + RIGHT)
        subprocess.run([os.path.join(self.folder, "boxyard-levels"), "import", "two.txt", "mine"], cwd=self.folder,
                       check=True, stdout=subprocess.DEVNULL, timeout=60)
        game = self.start_game(args=("--levels", os.path.join(self.folder, "mine")))
        game.start_new_game()
        self.win_and_see(game, 1, ["Right"])
        game.press("Return", hold=0.05)
        game.wait_for(self.level_shown(game, 2), what="level 2 of the chain")
        self.win_and_see(game, 2, ["Right"], last=True)


if __name__ == "__main__":
    unittest.main()

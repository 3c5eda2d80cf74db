"""The player's records as a player meets them: a won level's solution kept in
the records folder, the chooser after a restart of the game showing it solved
and N going on at the first level not solved, P playing a record back to the
won screen, and a damaged records file set aside while the game goes on."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import GameTestCase  # noqa: E402

# Four rooms, each won by one push right; they differ, as records go by what
# a level holds, and a room drawn twice is one level to them.
ROOMS = "".join("; Room %d\n%s\n#@$.%s#\n%s\n\n" % (n, "#" * (n + 4), " " * (n - 1), "#" * (n + 4))
                for n in range(1, 5))


class Records(GameTestCase):
    def setUp(self):
        super().setUp()
        self.path = os.path.join(self.folder, "rooms.txt")
        with open(self.path, "w") as f:
            f.write(ROOMS)

    def records_folder(self, game):
        return os.path.join(game.player_folder, "records")

    def record_files(self, game):
        folder = self.records_folder(game)
        return sorted(os.listdir(folder)) if os.path.isdir(folder) else []

    def level_shown(self, game, number):
        return lambda p: game.menu_entry(p) is None and game.text_at(p, 0, 440, "Level        : %d" % number)

    def test_a_win_is_recorded_and_the_chooser_goes_on_from_the_first_unsolved_level(self):
        game = self.start_game(args=("--level", "1", self.path))
        game.find_window()
        game.wait_for(self.level_shown(game, 1), timeout=15, what="level 1")
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level 1 "), what="level 1 won")
        files = self.record_files(game)
        self.assertEqual(len(files), 1, files)
        with open(os.path.join(self.records_folder(game), files[0])) as f:
            text = f.read()
        self.assertIn("moves 1 pushes 1 R\n", text)
        game.stop()

        # Started again on the collection alone: the chooser, at level 2.
        game = self.start_game(args=(self.path,))
        game.find_window()
        time.sleep(5.5)  # the title
        game.press("Home", hold=0.05)
        game.press("n", hold=0.05)
        game.press("Return", hold=0.05)
        game.wait_for(self.level_shown(game, 2), what="the first level not solved")

        # P from the chooser replays level 1's record to its won screen.
        game.press("l", hold=0.1)
        time.sleep(0.5)
        game.press("Home", hold=0.05)
        game.press("p", hold=0.05)
        game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level 1 "), what="the replay won")
        self.assertEqual(len(self.record_files(game)), 1)

    def test_a_damaged_records_file_is_set_aside_and_the_game_goes_on(self):
        game = self.start_game(args=("--level", "1", self.path))
        game.find_window()
        game.wait_for(self.level_shown(game, 1), timeout=15, what="level 1")
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level 1 "), what="level 1 won")
        name = self.record_files(game)[0]
        game.stop()
        with open(os.path.join(self.records_folder(game), name), "w") as f:
            f.write("boxyard records 1\ncollection rooms.txt\nlevel 1 key zz\nnonsense\n")

        game = self.start_game(args=("--level", "2", self.path))
        game.find_window()
        game.wait_for(self.level_shown(game, 2), timeout=15, what="level 2")
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level 2 "), what="level 2 won")
        files = self.record_files(game)
        self.assertIn(name, files)
        self.assertTrue(any(f.startswith(name + ".damaged") for f in files), files)
        self.assertIn("cannot be read", game.printed())
        with open(os.path.join(self.records_folder(game), name)) as f:
            self.assertIn("level 2 key", f.read())


if __name__ == "__main__":
    unittest.main()

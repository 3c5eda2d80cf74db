"""The game as its Debian package installs it, unpacked into a folder of its
own and played from elsewhere, as a player would: a new game, a push and a
save land in the player's folder and nowhere else, and a collection imported
with the installed level tool is played with --levels without touching the
installed files."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
from harness import ARROWS, Game, Xvfb, run  # noqa: E402

DEB = os.environ.get("BOXYARD_DEB", "")

# Two levels, each won by one push to the left: the shipped first level is not.
COLLECTION = "; one\n#####\n#.$@#\n#####\n\n; two\n######\n#.$ @#\n######\n"


def snapshot(folder):
    """Every file and folder under `folder` with its size, time and mode."""
    found = {}
    for top, folders, files in os.walk(folder):
        for name in folders + files:
            path = os.path.join(top, name)
            info = os.lstat(path)
            found[os.path.relpath(path, folder)] = (info.st_size, info.st_mtime_ns, info.st_mode)
    return found


class UnpackedGame(unittest.TestCase):
    def setUp(self):
        if not DEB or not os.path.exists(DEB):
            self.fail("BOXYARD_DEB must name the built package")
        self.temporary = tempfile.mkdtemp(prefix="boxyard-package-")
        self.addCleanup(shutil.rmtree, self.temporary, True)
        self.root = os.path.join(self.temporary, "root")
        run(["dpkg-deb", "-x", DEB, self.root], timeout=60)
        self.data = os.path.join(self.root, "usr", "share", "games", "boxyard")
        self.programs = os.path.join(self.root, "usr", "games")
        self.scratch = os.path.join(self.temporary, "player")
        os.makedirs(self.scratch)
        self.installed = snapshot(self.root)
        self.xvfb = Xvfb()
        self.addCleanup(self.xvfb.stop)
        self.games = []

    def tearDown(self):
        for game in self.games:
            game.stop()

    def start_game(self, *args):
        game = Game(self.xvfb, self.data, program=os.path.join(self.programs, "boxyard"), scratch=self.scratch)
        self.games.append(game)
        return game.start(*args)

    def players_files(self, game):
        self.assertEqual(os.listdir(game.home), [], "nothing is written into the home folder itself")
        return sorted(os.path.relpath(os.path.join(top, name), game.data_home)
                      for top, _, files in os.walk(game.data_home) for name in files)

    def test_a_new_game_a_push_and_a_save_land_in_the_players_folder_alone(self):
        # The installed level tool, run in the data folder, knows the moves.
        solved = subprocess.run([os.path.join(self.programs, "boxyard-levels"), "solve", "levels\\level1.kzm"],
                                cwd=self.data, stdout=subprocess.PIPE, timeout=120, check=True)
        solution = solved.stdout.decode().split("\n", 1)[1].split()
        moves = solution[:next(i for i, move in enumerate(solution) if move.isupper()) + 1]
        game = self.start_game()
        game.start_new_game()
        for move in moves:
            game.press(ARROWS[move.lower()])
        won = " You have beat level 1 "
        game.wait_for(lambda p: game.text_at(p, 220, 124, won) or game.text_at(p, 0, 460, "Times pushed : 1"),
                      what="the first push")
        level = 1
        if game.text_at(game.picture(), 220, 124, won):
            game.press("Return", hold=0.05)
            level = 2
            game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 2"), what="level 2")
        game.press("s", hold=0.1)
        game.xdotool("sleep", "1", "type", "--delay", "60", "mine.kzs")
        game.press("Return", hold=0.05)
        game.wait_for_saved("mine.kzs", ("levels\\level%d.kzm\n%d\n%d\n1\n" % (level, level, len(moves))).encode())
        expected = ["boxyard/mine.kzs"] + (["boxyard/autosave.kzs"] if level == 2 else [])
        files = self.players_files(game)
        # A won level keeps its solution in the records of the shipped chain.
        records = [name for name in files if name.startswith("boxyard/records/")]
        self.assertEqual(len(records), 1 if level == 2 else 0, files)
        self.assertEqual(sorted(set(files) - set(records)), sorted(expected))
        self.assertEqual(snapshot(self.root), self.installed)

    def test_an_imported_collection_is_played_with_levels_without_touching_the_game(self):
        collection = os.path.join(self.scratch, "collection.txt")
        with open(collection, "w") as f:
            f.write(COLLECTION)
        game = Game(self.xvfb, self.data, program=os.path.join(self.programs, "boxyard"), scratch=self.scratch)
        mine = os.path.join(game.player_folder, "mine")
        imported = run([os.path.join(self.programs, "boxyard-levels"), "import", collection, mine],
                       timeout=60, check=False)
        self.assertEqual(imported.returncode, 0, imported.stdout + imported.stderr)
        self.games.append(game)
        game.start("--levels", mine)
        game.start_new_game()
        game.press("Left")
        game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level 1 "), what="the collection's level 1")
        chained = (mine.replace("/", "\\") + "\\level2.kzm\n2\n1\n1\n").encode()
        game.wait_for_saved("autosave.kzs", chained)
        game.press("Return", hold=0.05)
        game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 2"), what="the collection's level 2")
        self.assertEqual(snapshot(self.root), self.installed)


if __name__ == "__main__":
    unittest.main()

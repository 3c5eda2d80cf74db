"""The level tool's solution, typed into the real game as arrow keys, wins
the shipped levels: what the tool proves is what the game plays."""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import ARROWS, GameTestCase  # noqa: E402


class LevelSolution(GameTestCase):
    def solution(self, level):
        out = subprocess.run([os.path.join(self.folder, "boxyard-levels"), "solve", level], cwd=self.folder,
                             check=True, stdout=subprocess.PIPE, timeout=120).stdout.decode()
        lines = out.strip().splitlines()
        self.assertIn("won in", lines[0])
        return lines[1].strip() if len(lines) > 1 else ""

    def test_the_printed_solutions_win_the_first_levels(self):
        game = self.start_game()
        game.start_new_game()
        for number in (1, 2):
            for letter in self.solution("levels\\level%d.kzm" % number):
                game.press(ARROWS[letter.lower()], hold=0.12)
            game.wait_for(lambda p: game.text_at(p, 220, 124, " You have beat level %d " % number),
                          what="level %d won" % number)
            game.press("Return", hold=0.05)
            game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : %d" % (number + 1)),
                          what="level %d" % (number + 1))


if __name__ == "__main__":
    unittest.main()

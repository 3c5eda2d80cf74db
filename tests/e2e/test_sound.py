"""The game's sound, captured from its real audio path: a push is heard once,
in both ears alike, walking makes no sound, and the music plays from the
title on and changes with M."""

import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import GameTestCase, read_capture, sound_bursts  # noqa: E402

ROOM = """
#########
#@  $ . #
#       #
#########
"""


class Sound(GameTestCase):
    def test_one_push_is_heard_once_in_both_ears_and_walking_is_silent(self):
        # Without the tunes the capture holds nothing but the game's effects.
        shutil.rmtree(os.path.join(self.folder, "music"), ignore_errors=True)
        env, raw = self.capture_sound()
        game = self.start_on_level(ROOM, extra_env=env)
        game.press("Right")
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 2"), what="two steps")
        time.sleep(1.0)
        self.assertEqual(sound_bursts(read_capture(raw)), [], "walking makes no sound")

        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 0, 460, "Times pushed : 1"), what="a push")
        time.sleep(1.5)
        bursts = sound_bursts(read_capture(raw))
        self.assertEqual(len(bursts), 1, "one push, one sound: %r" % (bursts,))
        _, _, left, right = bursts[0]
        self.assertGreater(min(left, right), 2000, "loud enough to hear")
        self.assertLess(abs(left - right), 0.05 * max(left, right), "as loud on the left as on the right")

    def test_music_plays_after_the_title_and_m_changes_it(self):
        env, raw = self.capture_sound()
        game = self.start_game(env).open_menu()
        time.sleep(2.0)
        music = read_capture(raw)
        self.assertGreater(loudness(music[-44100:]), 200, "a tune is playing by the time the menu shows")

        game.press("Return", hold=0.05)
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : 0"), what="a new game")
        # With its file gone, the next tune cannot load: the music stops, and no
        # message interrupts the game.
        music_dir = os.path.join(self.folder, "music")
        os.rename(music_dir, music_dir + "-away")
        game.press("m", hold=0.05)
        time.sleep(1.5)
        silent = read_capture(raw)
        self.assertLess(loudness(silent[-22050:]), 50, "silence once no tune could be loaded")

        os.rename(music_dir + "-away", music_dir)
        game.press("m", hold=0.05)
        time.sleep(2.0)
        again = read_capture(raw)
        self.assertGreater(loudness(again[len(silent):][-44100:]), 200, "M starts a tune again")
        self.assertIsNone(game.process.poll())


def loudness(frames):
    """Root mean square of both channels."""
    if not frames:
        return 0.0
    return (sum(left * left + right * right for left, right in frames) / (2 * len(frames))) ** 0.5


if __name__ == "__main__":
    unittest.main()

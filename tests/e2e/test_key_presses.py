"""Keys pressed and held as people press them: one press is one action in the
menu, on the end screens and in play, a held key walks on only after a pause,
and a game left standing uses next to no processor."""

import ctypes
import os
import struct
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import CLOSING_PAGE, FIRST_PAGE, FLOOR, ONE_PUSH, PLAYER_DOWN, RED, GameTestCase  # noqa: E402

IDLE_SECONDS = 10
IDLE_SHARE_LIMIT = 0.10   # generous: the game idles near 1% of a core


def cpu_seconds(pid, thread=None):
    """User and system time a process (or one of its threads) has used so far, from /proc."""
    path = "/proc/%d/stat" % pid if thread is None else "/proc/%d/task/%d/stat" % (pid, thread)
    with open(path) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class FileOpens:
    """Counts the files opened in a folder, through inotify."""

    IN_OPEN = 0x20

    def __init__(self, folder):
        self.libc = ctypes.CDLL(None, use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK)
        if self.fd < 0 or self.libc.inotify_add_watch(self.fd, folder.encode(), self.IN_OPEN) < 0:
            raise OSError(ctypes.get_errno(), "inotify")

    def count(self):
        opened = 0
        while True:
            try:
                data = os.read(self.fd, 65536)
            except BlockingIOError:
                return opened
            at = 0
            while at < len(data):
                _, mask, _, length = struct.unpack_from("iIII", data, at)
                opened += bool(mask & self.IN_OPEN)
                at += 16 + length

    def close(self):
        os.close(self.fd)


class KeyPresses(GameTestCase):
    def assert_menu_stays(self, game, entry, seconds=1.0):
        deadline = time.time() + seconds
        while time.time() < deadline:
            self.assertEqual(game.menu_entry(game.picture()), entry, "the menu stays at entry %d" % entry)
            time.sleep(0.1)

    def test_one_press_moves_the_menu_cursor_one_entry_and_a_held_key_walks_on(self):
        game = self.start_game().open_menu()
        for entry, hold in ((2, 0.04), (3, 0.15), (4, 0.25)):
            game.press("Down", hold=hold)
            game.wait_for_menu(entry)
            self.assert_menu_stays(game, entry, 0.5)
        # Held for a second, Down walks on after its pause, round the ring.
        seen = []
        game.hold("Down")
        try:
            deadline = time.time() + 1.2
            while time.time() < deadline:
                entry = game.menu_entry(game.picture())
                if entry and (not seen or seen[-1] != entry):
                    seen.append(entry)
        finally:
            game.release("Down")
        self.assertGreaterEqual(len(seen), 4, "held 1.2 s, the cursor moves on at least three entries: %r" % seen)

    def test_a_long_enter_on_the_end_screens_does_what_they_promise(self):
        game = self.start_on_level(ONE_PUSH, ONE_PUSH)
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 180, 144, " Hit [ENTER] to proceed to level 2 "), what="level won")
        game.press("Return", hold=0.3)
        game.wait_for(lambda p: game.text_at(p, 0, 440, "Level        : 2")
                      and game.cell_shows(p, 2, 2, [FLOOR, PLAYER_DOWN]), what="level 2 at its start")
        game.press("Right")
        game.wait_for(lambda p: game.text_at(p, 180, 164, "Hit [ENTER] to return to the main screen!"),
                      what="the closing screen")
        game.press("Return", hold=0.3)
        game.wait_for_menu(1)
        self.assert_menu_stays(game, 1)

    def test_a_long_enter_on_the_last_page_returns_to_the_menu(self):
        game = self.start_game().open_menu()
        game.press("Up", hold=0.1)
        game.press("Up", hold=0.1)
        game.wait_for_menu(3)
        game.press("Return", hold=0.1)
        for page in range(FIRST_PAGE, FIRST_PAGE + 6):
            game.wait_for(lambda p: game.shows_screen(p, page), what="instruction page %d" % page)
            game.press("space", hold=0.1)
        game.wait_for(lambda p: game.shows_screen(p, CLOSING_PAGE), what="the closing page")
        game.press("Return", hold=0.3)
        game.wait_for_menu(3)
        self.assert_menu_stays(game, 3)

    def test_a_key_held_for_a_second_does_not_answer_what_it_opened(self):
        """A held key repeats; its repeats neither answer the question it
        raised nor type into the selector or turn the page it opened."""
        game = self.start_on_level(ONE_PUSH)
        game.press("r", hold=1.2)
        time.sleep(0.3)
        self.assertTrue(game.text_at(game.picture(), 245, 128, " Restart Level ", RED), "the question waits")
        game.press("n", hold=0.1)
        game.press("s", hold=1.2)
        time.sleep(0.5)
        game.xdotool("type", "--delay", "60", "held.kzs")
        time.sleep(0.3)
        game.press("Return", hold=0.1)
        game.wait_for(lambda p: os.path.exists(os.path.join(game.player_folder, "held.kzs")), what="the save")
        self.assertEqual(sorted(os.listdir(game.player_folder)), ["held.kzs"], "the name as typed, no s before it")
        game.press("Escape", hold=0.1)
        game.press("y", hold=0.1)
        game.wait_for_menu(1)
        game.press("Up", hold=0.1)
        game.press("Up", hold=0.1)
        game.wait_for_menu(3)
        game.press("Return", hold=1.2)
        time.sleep(0.3)
        self.assertTrue(game.shows_screen(game.picture(), FIRST_PAGE), "the first page stays")

    def test_a_long_press_of_m_loads_one_tune(self):
        game = self.start_on_level(ONE_PUSH)
        opens = FileOpens(os.path.join(self.folder, "music"))
        self.addCleanup(opens.close)
        game.press("m", hold=0.3)
        time.sleep(1.0)
        self.assertEqual(opens.count(), 1, "one press of M, one tune")
        game.hold("m")
        time.sleep(1.3)
        game.release("m")
        time.sleep(0.5)
        self.assertIn(opens.count(), (3, 4), "held 1.3 s, M changes the tune every 400 ms")

    def test_a_game_standing_still_uses_next_to_no_processor(self):
        self.write_level(1, ONE_PUSH, last=True)
        game = self.start_game().open_menu()
        for where in ("in the menu", "in play"):
            if where == "in play":
                game.press("Return")
                game.wait_for(lambda p: game.cell_shows(p, 2, 2, [FLOOR, PLAYER_DOWN]), what="a new game")
            time.sleep(1.0)
            pid = game.process.pid
            used, loop = cpu_seconds(pid), cpu_seconds(pid, pid)
            server = cpu_seconds(self.xvfb.process.pid)
            time.sleep(IDLE_SECONDS)
            share = (cpu_seconds(pid) - used) / IDLE_SECONDS
            loop_share = (cpu_seconds(pid, pid) - loop) / IDLE_SECONDS
            server_share = (cpu_seconds(self.xvfb.process.pid) - server) / IDLE_SECONDS
            # The game's own loop runs on the main thread; the library's
            # threads keep time, read the X events and mix the music.
            print("\nidle %s: game %.1f%% of a core (main thread %.1f%%), X server %.1f%%"
                  % (where, 100 * share, 100 * loop_share, 100 * server_share))
            self.assertLess(share, IDLE_SHARE_LIMIT, "the game idles %s" % where)


if __name__ == "__main__":
    unittest.main()

"""An evening of play in a few minutes: hundreds of restarts, tune changes
and visits to the menu, after which the game holds no more memory than it did
once warmed up. Run on the sanitized build, the game is ended through the
menu's Exit and LeakSanitizer must find nothing the game itself left behind.

The figures are printed, so `ctest -R soak -V` in build/ measures the game's
memory: its resident size once warmed up and its growth over the evening."""

import os
import struct
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import FLOOR, PLAYER_DOWN, PLAYER_RIGHT, RED, Game, GameTestCase, run  # noqa: E402

# The player, drawn at (2, 2), can take exactly one step right before the wall
# stops it, so each step counted proves the restart before it put the player
# back. The box and target are there to be drawn; nothing ever pushes the box.
CORRIDOR = """
#######
#@ #  #
#  $. #
#######
"""
START, ONE_STEP_RIGHT = (2, 2), (3, 2)

RESTARTS = 200
MENU_VISITS = 50
TUNE_CHANGES = 200
TUNE_CHANGES_AT_ONCE = 50
RSS_GROWTH_LIMIT_KIB = 1024

SUPPRESSIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lsan_suppressions.txt")
SOURCE_ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class WindowPixels:
    """A window dump whose pixels are decoded only when asked for: the soak
    looks at a few cells thousands of times, never at the whole window."""

    def __init__(self, data):
        fields = struct.unpack(">25I", data[:100])
        self.width, self.height = fields[4], fields[5]
        if fields[11] != 32:
            raise RuntimeError("unexpected window format: %d bits per pixel" % fields[11])
        self.bytes_per_line = fields[12]
        self.offset = fields[0] + fields[19] * 12
        self.format = "<I" if fields[7] == 0 else ">I"
        self.masks = fields[14:17]
        self.shifts = [self._shift_of(mask) for mask in self.masks]
        self.data = data

    @staticmethod
    def _shift_of(mask):
        shift = 0
        while mask and not (mask >> shift) & 1:
            shift += 1
        return shift

    def at(self, x, y):
        (value,) = struct.unpack_from(self.format, self.data, self.offset + y * self.bytes_per_line + x * 4)
        return tuple(((value & mask) >> shift) & 255 for mask, shift in zip(self.masks, self.shifts))


class SoakGame(Game):
    """The real game with leak checking asked for at its exit. Only a sanitized
    build reads these settings; the release build ignores them."""

    def env(self):
        env = super().env()
        env["ASAN_OPTIONS"] = "detect_leaks=1:fast_unwind_on_malloc=0"
        env["LSAN_OPTIONS"] = "suppressions=%s:print_suppressions=1" % SUPPRESSIONS
        return env

    def picture(self):
        return WindowPixels(run(["xwd", "-silent", "-id", self.window], env=self.env()).stdout)

    def tap(self, key):
        """A key the game reads from its key buffer, which keeps every press."""
        self.xdotool("keydown", key, "sleep", "0.06", "keyup", key)

    def hold_until(self, key, condition, what):
        """A key the game looks at once per tick, held until it has acted on
        it: on a busy machine a short press can fall between two ticks."""
        self.hold(key)
        try:
            self.wait_for(condition, what=what)
        finally:
            self.release(key)

    def wait_for(self, condition, timeout=15, what="the expected picture"):
        return super().wait_for(condition, timeout, what, poll=0.02)

    def resident_kib(self):
        with open("/proc/%d/status" % self.process.pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        raise AssertionError("no VmRSS for the game")

    def is_sanitized(self):
        with open("/proc/%d/maps" % self.process.pid) as f:
            return "libasan" in f.read()


def leaks_in_game_code(report):
    """The leak reports whose allocation stack passes through the game's own
    code. Every stack of the main thread ends in main(), so the library's own
    leaks made during start-up would count too: those are named in the
    suppressions file, which keeps them out of the report."""
    reports, current = [], None
    for line in report.splitlines():
        if "leak of" in line and "allocated from" in line:
            current = [line]
            reports.append(current)
        elif current is not None and line.strip().startswith("#"):
            current.append(line)
        else:
            current = None
    game_code = (os.path.join(SOURCE_ROOT, "src") + os.sep, os.path.join(SOURCE_ROOT, "tools") + os.sep)
    return ["\n".join(stack) for stack in reports
            if any(folder in frame for frame in stack[1:] for folder in game_code)]


class Soak(GameTestCase):
    # Keys are held until the game has acted on them; an X server repeating a
    # held key would answer the game's questions with it.
    xvfb_options = ("-r",)

    def restart(self, game):
        """One step right, then R and Y: the level comes back with the player on its start."""
        game.hold_until("Right", lambda p: game.cell_shows(p, *ONE_STEP_RIGHT, [FLOOR, PLAYER_RIGHT]), "a step")
        self.ask(game, "r", " Restart Level ", 245)
        game.tap("y")
        game.wait_for(lambda p: game.cell_shows(p, *START, [FLOOR, PLAYER_DOWN]), what="the level restarted")

    def ask(self, game, key, question, x):
        game.hold_until(key, lambda p: game.text_at(p, x, 128, question, RED), "the question" + question)

    def visit_menu(self, game):
        """Esc and Y to the menu, then New Game back to the first level."""
        self.ask(game, "Escape", " Quit ", 280)
        game.tap("y")
        game.wait_for_menu(1)
        game.hold_until("Return", lambda p: game.menu_entry(p) is None
                        and game.cell_shows(p, *START, [FLOOR, PLAYER_DOWN]), "a new game")

    def choose_exit(self, game):
        """Up from New Game to Exit. A held Up walks on every 100 ms and a key
        event can be late, so the cursor is checked and walked again if need be."""
        for _ in range(8):
            game.press("Up", hold=0.03)
            time.sleep(0.3)
            if game.menu_entry(game.picture()) == 4:
                return
        game.wait_for_menu(4)

    def change_tunes(self, game, changes):
        """M pressed again and again, each press one new tune: 40 ms down,
        then time for the tune to load before the next press."""
        while changes > 0:
            presses = min(changes, TUNE_CHANGES_AT_ONCE)
            game.xdotool(*(["keydown", "m", "sleep", "0.04", "keyup", "m", "sleep", "0.17"] * presses),
                         timeout=presses + 10)
            changes -= presses
        time.sleep(0.2)

    def test_an_evening_of_play_neither_grows_the_game_nor_leaks(self):
        self.write_level(1, CORRIDOR, last=True)
        game = SoakGame(self.xvfb, self.folder).start()
        self.games.append(game)
        game.start_new_game()
        sanitized = game.is_sanitized()
        started = time.time()

        # Warming up: every path is taken a few times, twice round, before the
        # first reading, so the allocator has settled on where the big
        # pictures of the spin and the menu go. The synthesizer loads an
        # instrument's patch the first time a tune needs it and keeps it:
        # enough random tunes that every one of the ten has very likely played
        # (a tune missed in 120 draws: 10 * 0.9^120).
        for tunes in (120, 10):
            for _ in range(10):
                self.restart(game)
            for _ in range(5):
                self.visit_menu(game)
            self.change_tunes(game, tunes)
        warm = game.resident_kib()

        for _ in range(RESTARTS):
            self.restart(game)
        game.wait_for(lambda p: game.text_at(p, 0, 450, "Steps Taken  : %d" % RESTARTS),
                      what="one step counted per restart")
        for _ in range(MENU_VISITS):
            self.visit_menu(game)
        self.change_tunes(game, TUNE_CHANGES)
        game.hold_until("Right", lambda p: game.cell_shows(p, *ONE_STEP_RIGHT, [FLOOR, PLAYER_RIGHT]),
                        "play going on")
        end = game.resident_kib()
        print("\nsoak: %d restarts, %d menu visits, %d presses of M in %.0f s%s; resident %d KiB warmed up, "
              "%d KiB at the end: %+d KiB" % (RESTARTS, MENU_VISITS, TUNE_CHANGES, time.time() - started,
                                              " (sanitized build)" if sanitized else "", warm, end, end - warm))

        # Leaving through the menu's Exit ends the process normally, which is
        # when LeakSanitizer looks for what was never freed.
        self.ask(game, "Escape", " Quit ", 280)
        game.tap("y")
        game.wait_for_menu(1)
        self.choose_exit(game)
        game.hold("Return")
        try:
            status = game.process.wait(timeout=60)
        finally:
            game.release("Return")
        report = game.printed()

        if sanitized:
            print("leak check at exit, status %d:\n%s" % (status, report))
            # The sanitizer's allocator holds freed memory back on purpose, so
            # only the leak report speaks for this build.
            owned = leaks_in_game_code(report)
            self.assertEqual(owned, [], "leaks owned by the game:\n\n" + "\n\n".join(owned))
            if status != 0:
                self.assertIn("LeakSanitizer: detected memory leaks", report,
                              "the only failure at exit may be a library's own leak")
        else:
            self.assertLess(end - warm, RSS_GROWTH_LIMIT_KIB, "resident memory grew by %d KiB" % (end - warm))
            self.assertEqual(status, 0, report)


if __name__ == "__main__":
    unittest.main()

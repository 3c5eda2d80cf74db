"""Drives the real game as a player would: its own X server (Xvfb), keys sent
as X key events, pixels read back from the game's window.

Every process a test starts is stopped by its process id when the test ends,
whatever the outcome.
"""

import ctypes
import ctypes.util
import functools
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import unittest

GAME_DIR = os.environ.get("BOXYARD_GAME_DIR", "")
TEXT_MASK = os.environ.get("BOXYARD_TEXT_MASK", "")

CELL = 32
WHITE = (255, 255, 255)
RED = (255, 0, 0)

# The items of sprites.dat, by index.
PLAYER_DOWN, BOX, FLOOR, TARGET, WALL, PLAYER_LEFT, PLAYER_RIGHT, PLAYER_UP = range(8)
# After the board pictures at 32, 24, 16, 12 and 8 pixels a cell: the pointer.
POINTER = 5 * 8

# The arrow key for each move letter of a solution or a walk.
ARROWS = {"u": "Up", "d": "Down", "l": "Left", "r": "Right"}

# One push to the right wins it. Drawn from cell (1, 1): the player starts on
# (2, 2), the box on (3, 2), the target on (4, 2).
ONE_PUSH = """
#######
#@$.  #
#     #
#######
"""


def run(args, env=None, timeout=10, check=True):
    return subprocess.run(args, env=env, timeout=timeout, check=check,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def stop_process(process):
    """Stops a process we started, by its id, and reaps it."""
    if process is None or process.poll() is not None:
        return
    try:
        os.kill(process.pid, signal.SIGTERM)
        process.wait(timeout=3)
    except (subprocess.TimeoutExpired, ProcessLookupError):
        try:
            os.kill(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait(timeout=3)


class Xvfb:
    """An X server of the test's own, with any further server options given
    (such as "-r": no key auto-repeat). The server picks a free display number
    itself and tells it through a pipe, so tests running side by side never
    share one. It must not reset when its last client leaves: a short-lived
    xdotool call ending just as the game connects would make the game's
    connection fail."""

    def __init__(self, options=(), size="800x600"):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size + "x24", "-nolisten", "tcp", "-noreset"]
            + list(options),
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    break
                number += chunk
        if not number.strip().isdigit():
            stop_process(self.process)
            raise RuntimeError("Xvfb did not start")
        self.number = int(number)

    @property
    def display(self):
        return ":%d" % self.number

    def stop(self):
        stop_process(self.process)


def send_close_request(display, window):
    """Asks a window to close as a window manager does when its close button
    is pressed: a WM_DELETE_WINDOW client message sent to the window."""

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = x11.XOpenDisplay(display.encode())
    if not connection:
        raise RuntimeError("cannot open display %s" % display)
    try:
        event = Event()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = int(window)
        event.xclient.message_type = x11.XInternAtom(connection, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = x11.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        if not x11.XSendEvent(connection, int(window), 0, 0, ctypes.byref(event)):
            raise RuntimeError("the close request could not be sent")
        x11.XFlush(connection)
    finally:
        x11.XCloseDisplay(connection)


class Picture:
    """A window's pixels as (r, g, b) tuples."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def at(self, x, y):
        return self.pixels[y * self.width + x]


def parse_xwd(data, step=1):
    """The window's pixels; with a step above 1, every step-th pixel of every
    step-th row, which is the 640x480 picture of a window enlarged that many times."""
    fields = struct.unpack(">25I", data[:100])
    header_size = fields[0]
    width, height = fields[4], fields[5]
    byte_order = fields[7]
    bits_per_pixel, bytes_per_line = fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
    colours = fields[19]
    if bits_per_pixel != 32:
        raise RuntimeError("unexpected window format: %d bits per pixel" % bits_per_pixel)
    offset = header_size + colours * 12
    order = "<" if byte_order == 0 else ">"

    def shift_of(mask):
        shift = 0
        while mask and not (mask >> shift) & 1:
            shift += 1
        return shift

    rs, gs, bs = shift_of(red_mask), shift_of(green_mask), shift_of(blue_mask)
    pixels = []
    for y in range(0, height, step):
        row = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * 4]
        values = struct.unpack(order + "%dI" % width, row)[::step]
        pixels.extend((((value & red_mask) >> rs) & 255, ((value & green_mask) >> gs) & 255,
                       ((value & blue_mask) >> bs) & 255) for value in values)
    return Picture(width // step, height // step, pixels)


def load_datafile_bitmaps(path):
    """The 16-bit bitmaps of one of the game's datafiles, as lists of 5-6-5 values."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"slh.ALL."
    count = struct.unpack(">I", data[8:12])[0]
    position, items = 12, []
    while len(items) < count:
        tag = data[position:position + 4]
        if tag == b"prop":
            size = struct.unpack(">I", data[position + 8:position + 12])[0]
            position += 12 + size
            continue
        size = struct.unpack(">I", data[position + 4:position + 8])[0]
        body = data[position + 12:position + 12 + size]
        position += 12 + size
        if tag == b"BMP ":
            depth, width, height = struct.unpack(">hHH", body[:6])
            assert depth == 16
            values = [v for (v,) in struct.iter_unpack("<H", body[6:6 + width * height * 2])]
            items.append((width, height, values))
        else:
            items.append(None)
    return items


MASK_16 = 0xF81F
MENU_CURSOR, INTERLUDE, FIRST_PAGE, CLOSING_PAGE, TITLE, MENU = 0, 1, 2, 8, 9, 11
MENU_ROWS = (64, 92, 122, 152)


def rgb_of_565(value):
    r, g, b = (value >> 11) & 31, (value >> 5) & 63, value & 31
    return (r * 255 // 31, g * 255 // 63, b * 255 // 31)


def close_colour(a, b, tolerance=12):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


@functools.lru_cache(maxsize=None)
def text_mask(text):
    out = run([TEXT_MASK, text]).stdout.decode()
    return [line for line in out.splitlines() if line]


def level_text(picture, own_name="levels\\level1.kzm", next_name="lastlevel", boxes_to_place=None,
               left=1, top=1):
    """The 930 tokens of a level drawn in the usual notation."""
    walls, boxes, targets, start = [], [], [], (0, 0)
    for y, row in enumerate(picture.strip("\n").split("\n")):
        for x, c in enumerate(row):
            cell = (x + left, y + top)
            if c == "#":
                walls.append(cell)
            if c in "$*":
                boxes.append(cell)
            if c in ".*+":
                targets.append(cell)
            if c in "@+":
                start = cell
    if boxes_to_place is None:
        boxes_to_place = len(boxes)

    def slots(cells, count):
        cells = cells + [(-1, -1)] * (count - len(cells))
        return "\n".join("%d %d" % cell for cell in cells)

    return "0 0 0 0 %d 0\n%s\n%s\n%d %d\n%s\n%s\n%s\n" % (
        boxes_to_place, own_name, next_name, start[0], start[1],
        slots(walls, 260), slots(boxes, 100), slots(targets, 100))


class Game:
    """The real game binary, run from a private copy of its folder (or, given
    `program`, an installed program with its data in `folder`). What the test
    keeps beside the game (its output, the sound settings, a home and a data
    home of the game's own, so nothing is ever written into the real home
    folder) goes into `scratch`, the game folder unless given."""

    def __init__(self, xvfb, folder, extra_env=None, program=None, scratch=None):
        self.xvfb = xvfb
        self.folder = folder
        self.program = program or os.path.join(folder, "boxyard")
        self.scratch = scratch or folder
        self.home = os.path.join(self.scratch, "home")
        self.data_home = os.path.join(self.scratch, "data-home")
        self.extra_env = extra_env or {}
        self.process = None
        self.window = None
        self.scale = 1
        self.pointer = None  # where the mouse was last put, in picture pixels
        self.sprites = load_datafile_bitmaps(os.path.join(folder, "sprites.dat"))
        self.screens = load_datafile_bitmaps(os.path.join(folder, "data.dat"))
        # This machine may have no sound card: the game's sound goes to ALSA's
        # null device unless a test captures it. The file is written once,
        # before the game starts: rewriting it while the game's sound library
        # reads it would hand that library half a file.
        self.no_sound = os.path.join(self.scratch, "no-sound.conf")
        if not os.path.exists(self.no_sound):
            with open(self.no_sound + ".new", "w") as f:
                f.write("pcm.!default { type null }\n")
            os.replace(self.no_sound + ".new", self.no_sound)
        self.output = open(os.path.join(self.scratch, "game-output.txt"), "wb")

    @property
    def player_folder(self):
        """Where the game keeps saved games and the autosave."""
        return os.path.join(self.data_home, "boxyard")

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.xvfb.display
        env["HOME"] = self.home
        env["XDG_DATA_HOME"] = self.data_home
        env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
        env["ALSA_CONFIG_PATH"] = "/usr/share/alsa/alsa.conf:" + self.no_sound
        env.update(self.extra_env)
        return env

    def start(self, *args):
        os.makedirs(self.home, exist_ok=True)
        self.process = subprocess.Popen([self.program] + list(args), cwd=self.scratch,
                                        env=self.env(), stdout=self.output, stderr=self.output)
        return self

    def xdotool(self, *args, timeout=10):
        return run(["xdotool"] + [str(a) for a in args], env=self.env(), timeout=timeout)

    def find_window(self, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.process.poll() is not None:
                raise AssertionError("the game ended early with status %d:\n%s"
                                     % (self.process.returncode, self.printed()))
            found = run(["xdotool", "search", "--onlyvisible", "--class", "allegro"], env=self.env(),
                        check=False).stdout.split()
            for window in found:
                width, height = self.window_size(window.decode())
                # The game's window is its 640x480 picture enlarged a whole number of times.
                if width and width % 640 == 0 and height * 640 == width * 480:
                    self.window = window.decode()
                    self.scale = width // 640
                    self.xdotool("windowfocus", "--sync", self.window)
                    return self.window
            time.sleep(0.1)
        raise AssertionError("the game's window did not appear; message box: %r; output:\n%s"
                             % (self.message_text(), self.printed()))

    def message_text(self):
        """The text of a message box the game shows on our display, if any."""
        for pid in os.listdir("/proc"):
            if not pid.isdigit():
                continue
            try:
                with open("/proc/%s/cmdline" % pid, "rb") as f:
                    args = f.read().split(b"\0")
                if args and os.path.basename(args[0]) == b"xmessage":
                    with open("/proc/%s/environ" % pid, "rb") as f:
                        if ("DISPLAY=" + self.xvfb.display).encode() in f.read().split(b"\0"):
                            return (args[-2] if args[-1] == b"" else args[-1]).decode()
            except OSError:
                continue
        return None

    def window_size(self, window=None):
        """The window's own width and height, as xwininfo reads them; (0, 0) when it cannot."""
        info = run(["xwininfo", "-id", window or self.window], env=self.env(), check=False).stdout.decode()
        size = {}
        for line in info.splitlines():
            name, _, value = line.strip().partition(":")
            if name in ("Width", "Height"):
                size[name] = int(value)
        return size.get("Width", 0), size.get("Height", 0)

    def wait_for_scale(self, scale, timeout=5):
        """Waits until the window is the picture enlarged `scale` times, then
        gives it the keyboard again: a window opened anew at another size has
        lost it, and with no window manager nothing gives it back."""
        deadline = time.time() + timeout
        while time.time() < deadline and self.window_size() != (640 * scale, 480 * scale):
            time.sleep(0.1)
        if self.window_size() != (640 * scale, 480 * scale):
            raise AssertionError("the window is %dx%d, not %dx" % (self.window_size() + (scale,)))
        self.scale = scale
        self.xdotool("windowfocus", "--sync", self.window)

    def picture(self):
        """The game's 640x480 picture, read from the window at whatever scale it has."""
        data = run(["xwd", "-silent", "-id", self.window], env=self.env()).stdout
        return parse_xwd(data, self.scale)

    def window_picture(self):
        """Every pixel of the window as it is."""
        data = run(["xwd", "-silent", "-id", self.window], env=self.env()).stdout
        return parse_xwd(data)

    # The mouse, as a person uses it. Places are pixels of the 640x480 picture;
    # the pointer goes to the middle of the window pixels that show one.
    def point_at(self, x, y):
        self.pointer = (x, y)
        self.xdotool("mousemove", "--window", self.window, x * self.scale + self.scale // 2,
                     y * self.scale + self.scale // 2)
        time.sleep(0.05)

    def click(self, x, y, button=1, hold=0.1):
        self.point_at(x, y)
        self.xdotool("mousedown", button)
        time.sleep(hold)
        self.xdotool("mouseup", button)
        time.sleep(0.1)

    def click_cell(self, column, row, button=1):
        self.click(column * CELL + CELL // 2, row * CELL + CELL // 2, button)

    # Keys, as a person presses them: down, held a moment, up.
    def press(self, key, hold=0.2):
        self.xdotool("keydown", key)
        time.sleep(hold)
        self.xdotool("keyup", key)
        time.sleep(0.1)

    def hold(self, key):
        self.xdotool("keydown", key)

    def release(self, key):
        self.xdotool("keyup", key)

    # What the window shows.
    def cell_composite(self, layers):
        """The expected 32x32 pixels of a cell drawn with these sprite items."""
        result = [None] * (CELL * CELL)
        for layer in layers:
            width, _, values = self.sprites[layer]
            for y in range(CELL):
                for x in range(CELL):
                    value = values[y * width + x]
                    if layer == FLOOR or value != MASK_16:
                        result[y * CELL + x] = rgb_of_565(value)
        return result

    def cell_shows(self, picture, column, row, layers):
        expected = self.cell_composite(layers)
        for y in range(CELL):
            for x in range(CELL):
                if not close_colour(picture.at(column * CELL + x, row * CELL + y), expected[y * CELL + x]):
                    return False
        return True

    def shows_screen(self, picture, item, step=5, skip=None):
        """True when the window shows one of data.dat's full-screen pictures,
        but for the rectangle `skip` (x1, y1, x2, y2) if given."""
        width, height, values = self.screens[item]
        for y in range(0, height, step):
            for x in range(0, width, step):
                if skip and skip[0] <= x < skip[2] and skip[1] <= y < skip[3]:
                    continue
                if self.under_pointer(x, y):
                    continue
                if not close_colour(picture.at(x, y), rgb_of_565(values[y * width + x])):
                    return False
        return True

    def under_pointer(self, x, y):
        """True for a pixel the game's pointer may cover, once the mouse has been moved."""
        if self.pointer is None:
            return False
        width, height, _ = self.sprites[POINTER]
        return self.pointer[0] <= x < self.pointer[0] + width and self.pointer[1] <= y < self.pointer[1] + height

    def cursor_at(self, picture, entry):
        """True when the menu cursor stands at an entry (1 to 4)."""
        width, height, values = self.screens[MENU_CURSOR]
        top = MENU_ROWS[entry - 1]
        for y in range(height):
            for x in range(width):
                value = values[y * width + x]
                if (value != MASK_16 and not self.under_pointer(390 + x, top + y)
                        and not close_colour(picture.at(390 + x, top + y), rgb_of_565(value))):
                    return False
        return True

    def menu_entry(self, picture):
        width, height, _ = self.screens[MENU_CURSOR]
        cursor_column = (390, MENU_ROWS[0], 390 + width, MENU_ROWS[-1] + height)
        if not self.shows_screen(picture, MENU, step=9, skip=cursor_column):
            return None
        for entry in range(1, 5):
            if self.cursor_at(picture, entry):
                return entry
        return None

    def wait_for_menu(self, entry=1, timeout=15):
        self.wait_for(lambda p: self.menu_entry(p) == entry, timeout, "the menu at entry %d" % entry)

    def open_menu(self):
        """From start-up, through the title, to the menu at its first entry."""
        self.find_window()
        self.wait_for_menu(1)
        return self

    def start_new_game(self):
        """From start-up, through the title, to the first level of a new game."""
        self.open_menu()
        self.press("Return")
        self.wait_for(lambda p: self.menu_entry(p) is None and self.text_at(p, 0, 440, "Level        : 1"),
                      what="a new game")

    def text_at(self, picture, x, y, text, colour=WHITE):
        """True when the text stands at (x, y) as the library's font writes it."""
        for dy, line in enumerate(text_mask(text)):
            for dx, c in enumerate(line):
                if c == "#" and not close_colour(picture.at(x + dx, y + dy), colour, 4):
                    return False
        return True

    def wait_for(self, condition, timeout=10, what="the expected picture", poll=0.1):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.process.poll() is not None:
                raise AssertionError("the game ended with status %d while waiting for %s:\n%s"
                                     % (self.process.returncode, what, self.printed()))
            if condition(self.picture()):
                return
            time.sleep(poll)
        raise AssertionError("timed out waiting for %s" % what)

    def request_close(self):
        """The window's close button, as a window manager passes it on."""
        send_close_request(self.xvfb.display, self.window)

    def wait_for_exit(self, timeout=15):
        """The game's exit status, once it has ended by itself."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the game did not end; output:\n%s" % self.printed())

    def read_saved(self, name):
        """A file in the player's folder, or None when it is not there."""
        try:
            with open(os.path.join(self.player_folder, name), "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def wait_for_saved(self, name, contents, timeout=10):
        deadline = time.time() + timeout
        while time.time() < deadline and self.read_saved(name) != contents:
            time.sleep(0.1)
        found = self.read_saved(name)
        if found != contents:
            raise AssertionError("%s holds %r, not %r" % (name, found, contents))

    def leave_for_menu(self):
        """Esc and Y, from play back to the menu at its first entry."""
        self.press("Escape", hold=0.1)
        time.sleep(0.3)
        self.press("y")
        self.wait_for_menu(1)

    def printed(self):
        """What the game wrote to its output, less the sound library's chatter."""
        self.output.flush()
        with open(os.path.join(self.scratch, "game-output.txt"), "rb") as f:
            lines = f.read().decode(errors="replace").splitlines()
        return "\n".join(line for line in lines if not line.startswith("ALSA lib")) or "(nothing)"

    def stop(self):
        stop_process(self.process)
        self.output.close()


def read_capture(path):
    """The captured frames as (left, right) pairs centred on 0."""
    with open(path, "rb") as f:
        data = f.read()
    data = data[:len(data) - len(data) % 4]
    return [(l - 0x8000, r - 0x8000) for l, r in struct.iter_unpack("<HH", data)]


def sound_bursts(frames, threshold=300, gap=4410):
    """Stretches of sound in a capture, split where it stays quiet for `gap`
    frames (0.1 s at 44,100 Hz): a list of (start, end, left peak, right peak)."""
    bursts, current, quiet = [], None, 0
    for index, (left, right) in enumerate(frames):
        loud = abs(left) > threshold or abs(right) > threshold
        if loud:
            if current is None:
                current = [index, index, 0, 0]
            current[1] = index
            current[2] = max(current[2], abs(left))
            current[3] = max(current[3], abs(right))
            quiet = 0
        elif current is not None:
            quiet += 1
            if quiet > gap:
                bursts.append(tuple(current))
                current, quiet = None, 0
    if current is not None:
        bursts.append(tuple(current))
    return bursts


class GameTestCase(unittest.TestCase):
    """Each test gets its own X server and a private copy of the game folder."""

    xvfb_options = ()
    # The X screen's size. 800x600 shows the game at 1x; BOXYARD_E2E_SCREEN=1920x1080
    # runs the same tests on the window enlarged twice.
    xvfb_size = os.environ.get("BOXYARD_E2E_SCREEN", "800x600")

    def setUp(self):
        if not GAME_DIR or not os.path.exists(os.path.join(GAME_DIR, "boxyard")):
            self.fail("BOXYARD_GAME_DIR must name the built game folder")
        self.xvfb = Xvfb(self.xvfb_options, self.xvfb_size)
        self.addCleanup(self.xvfb.stop)
        self.folder = tempfile.mkdtemp(prefix="boxyard-e2e-")
        self.addCleanup(shutil.rmtree, self.folder, True)
        shutil.copytree(GAME_DIR, self.folder, dirs_exist_ok=True, symlinks=True)
        self.games = []

    def tearDown(self):
        for game in self.games:
            game.stop()

    def write_level(self, number, picture, last=False, **options):
        options.setdefault("own_name", "levels\\level%d.kzm" % number)
        options.setdefault("next_name", "lastlevel" if last else "levels\\level%d.kzm" % (number + 1))
        with open(os.path.join(self.folder, "levels", "level%d.kzm" % number), "w") as f:
            f.write(level_text(picture, **options))

    def start_game(self, extra_env=None, args=()):
        game = Game(self.xvfb, self.folder, extra_env).start(*args)
        self.games.append(game)
        return game

    def start_on_level(self, *pictures, extra_env=None, args=()):
        """A new game on a chain of levels, one a picture, the last ending the set."""
        for number, picture in enumerate(pictures, start=1):
            self.write_level(number, picture, last=number == len(pictures))
        game = self.start_game(extra_env, args)
        game.start_new_game()
        return game

    def assert_panel(self, game, picture, steps, pushes):
        self.assertTrue(game.text_at(picture, 0, 450, "Steps Taken  : %d" % steps), "steps %d" % steps)
        self.assertTrue(game.text_at(picture, 0, 460, "Times pushed : %d" % pushes), "pushes %d" % pushes)

    def capture_sound(self):
        """Sends the game's sound to a file instead of a sound card, through
        ALSA's file plugin. Returns the environment for start_game and the
        path of the raw capture: 16-bit unsigned little-endian stereo."""
        raw = os.path.join(self.folder, "capture.raw")
        conf = os.path.join(self.folder, "capture.conf")
        with open(conf, "w") as f:
            f.write('pcm.!default { type file slave.pcm "null" file "%s" format "raw" }\n' % raw)
        return {"ALSA_CONFIG_PATH": "/usr/share/alsa/alsa.conf:" + conf}, raw

    def message_box_text(self, game, timeout=15):
        """Waits for the library's message box; returns its text and closes it."""
        window = run(["xdotool", "search", "--sync", "--class", "xmessage"], env=game.env(),
                     timeout=timeout).stdout.split()[0].decode()
        text = game.message_text() or ""
        game.xdotool("windowfocus", "--sync", window)
        game.xdotool("key", "Return")
        if game.window:
            # With no window manager, focus does not go back by itself.
            deadline = time.time() + 5
            while time.time() < deadline and run(["xdotool", "search", "--class", "xmessage"], env=game.env(),
                                                 check=False).stdout.strip():
                time.sleep(0.1)
            if game.process.poll() is None:
                game.xdotool("windowfocus", "--sync", game.window)
        return text.rstrip("\n")

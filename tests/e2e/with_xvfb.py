"""Runs one command in an X server of its own and stops the server by its
process id when the command ends. For tests and measurements that need a
display but no game window, such as the library's timer or the benchmarks'
frames on screen:

    python3 tests/e2e/with_xvfb.py [--size WIDTHxHEIGHT] COMMAND [ARGUMENTS...]

The screen is 800x600 unless --size says otherwise.

The command's exit status is passed on."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Xvfb  # noqa: E402


def main(command):
    size = "800x600"
    if len(command) >= 2 and command[0] == "--size":
        size, command = command[1], command[2:]
    if not command:
        print("usage: with_xvfb.py [--size WIDTHxHEIGHT] COMMAND [ARGUMENTS...]", file=sys.stderr)
        return 2
    xvfb = Xvfb(size=size)
    try:
        env = dict(os.environ, DISPLAY=xvfb.display)
        return subprocess.run(command, env=env).returncode
    finally:
        xvfb.stop()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

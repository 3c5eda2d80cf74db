#!/bin/sh
# Runs a command under its own Xvfb display server, which the library's
# system driver (and so its timer and MIDI player) needs.
command -v Xvfb >/dev/null 2>&1 || { echo "with_xvfb: Xvfb is not installed (Debian's xvfb)" >&2; exit 1; }
fifo_dir=$(mktemp -d)
mkfifo "$fifo_dir/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$fifo_dir/display" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$fifo_dir/display"
rm -rf "$fifo_dir"
DISPLAY=":$number" "$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $status

#!/bin/sh
# Plays a few seconds of every tune through DIGMID with the game's patch index
# and captures the sound through ALSA's file plugin, then checks that each
# capture holds music: sound from start to end, loud enough, never clipped.
# Usage: capture_tunes.sh TUNE_PLAYER GAME_FOLDER WORK_FOLDER (absolute paths)
# The player runs in the game folder, as the game does: allegro.cfg names the
# index from there.
player=$1 game=$2 work=$3
cd "$game" || exit 1
mkdir -p "$work"
failed=0
for number in 1 2 3 4 5 6 7 8 9 10; do
    capture="$work/tune$number.raw"
    rm -f "$capture"
    printf 'pcm.!default { type file slave.pcm "null" file "%s" format "raw" }\n' "$capture" >"$work/capture.conf"
    # The library and ALSA keep a few bytes to the end; the player is not the game.
    ALLEGRO="$game" ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$work/capture.conf" \
        ASAN_OPTIONS=detect_leaks=0 "$player" play "$game/music/$number.mid" 1.2 2>"$work/tune$number.log" || { cat "$work/tune$number.log"; failed=1; continue; }
    printf 'tune %s: ' "$number"
    "$player" measure "$capture" || failed=1
done
exit $failed

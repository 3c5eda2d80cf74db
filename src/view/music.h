// The background music: one of the ten tunes, picked at random and looped.
#pragma once

#include <allegro.h>

// How many tunes the game ships, music\1.mid to music\10.mid.
constexpr int tuneCount = 10;

// A number from `low` to `low + count - 1`, from the C library's rand().
int randomInt(int low, int count);
// The game's name of tune `number`: "music\1.mid" .. "music\10.mid".
const char* tuneFileName(int number);
// Says "Loading Music" on the screen, loads a random tune and loops it,
// stopping and freeing the tune that played before. A tune that cannot be
// loaded leaves the game silent.
void playRandomMusic();
// The tune now playing, or nullptr.
MIDI* currentTune();

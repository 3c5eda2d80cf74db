// The game's one sound effect besides the music.
#pragma once

#include <allegro.h>

// Plays the push sound held in the screens datafile; nothing when there is none.
void playPushSound(DATAFILE* screens);

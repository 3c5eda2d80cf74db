// Loading the two datafiles and making sure they hold what the game draws and plays.
#pragma once

#include <allegro.h>

// Loads sprites.dat. A file that is missing, short or holds the wrong kind of
// item is reported in a message box naming it, and the process ends with status 1.
DATAFILE* loadSpriteSet();
// The same for data.dat.
DATAFILE* loadScreenSet();

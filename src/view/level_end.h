// What follows a won level: the next level of the chain, or the closing screen.
#pragma once

#include <allegro.h>

// Announces the won level and loads the next after Enter, or, after the last
// level of the set, shows the closing screen and runs the main menu.
void finishLevel(DATAFILE* screens);
void finishLevelSet(DATAFILE* screens);

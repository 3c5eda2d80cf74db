// The two questions of play: R asks before a restart, Esc before leaving for the menu.
#pragma once

#include <allegro.h>

// Asks " Restart Level "; on yes spins the screen and reloads the level from
// its file. The counters go on as they were. True when the level was reloaded.
bool confirmRestart();
// Asks " Quit "; on yes runs the main menu and returns once it has loaded a
// level, with true.
bool confirmQuit(DATAFILE* screens);

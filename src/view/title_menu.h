// The title picture at start-up and the main menu.
#pragma once

#include <allegro.h>

// Shows the title picture for three seconds after a second of the empty screen.
void showTitle(DATAFILE* screens);
// Runs the main menu until a level has been loaded into the Board. Its Exit
// entry ends the process instead.
void runMainMenu(DATAFILE* screens);

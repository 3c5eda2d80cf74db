// The title picture at start-up, the main menu and the instruction pages.
#pragma once

#include <allegro.h>

// Shows the title picture for three seconds after a second of the empty screen.
void showTitle(DATAFILE* screens);
// Shows the main menu with the cursor on `entry` until an entry is taken,
// and returns it (a MenuEntry), or menuOpenCollection for O and menuChooseLevel
// for L. Keys already down when it opens do nothing until they are let go and
// pressed again. Pointing at an entry moves the cursor to it and a click takes
// it; F5 changes the window's scale.
int runMainMenu(DATAFILE* screens, int entry);
// The six instruction pages and the closing page, each turned by a key or a click.
void showInstructions(DATAFILE* screens);

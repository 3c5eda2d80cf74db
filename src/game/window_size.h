// The window's size: the 640x480 picture enlarged by a whole number, chosen at
// start-up and stepped with F5, the player's choice remembered in the settings.
#pragma once

// Opens the window. `requested` is the scale given on the command line, or 0:
// then the scale kept in the settings when it fits the desktop, else the
// largest that fits. A larger window the library cannot open falls back to
// 1x with a line on standard error; false when not even that opens.
bool openGameWindow(int requested);
// F5: the next scale that fits the desktop, after the largest back to 1x;
// the choice is kept in the settings file.
void stepGameWindow();

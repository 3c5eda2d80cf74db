// The two questions of play, R before a restart and Esc before leaving for
// the menu, and the spin that shows a restart.
#pragma once

// Asks " Restart Level " over the last frame. True for yes.
bool askRestart();
// Asks " Quit " over the last frame. True for yes.
bool askQuit();
// Spins the picture in the window almost a full turn about its centre.
void spinScreen();

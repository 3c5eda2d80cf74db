// One frame of play: the board, the figure and the status panel.
#pragma once

#include <allegro.h>

// Composes the frame into `target` and copies it whole to the screen.
void drawFrame(BITMAP* target, DATAFILE* sprites);
// The same frame, composed into `target` only.
void composeFrame(BITMAP* target, DATAFILE* sprites);

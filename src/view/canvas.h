// Every picture of the game is composed at 640x480 in one memory bitmap, the
// canvas, and reaches the window enlarged by a whole number, pixel for pixel,
// so it stays sharp at any size. Only this file draws on the screen.
#pragma once

#include <allegro.h>

// The picture as the player is to see it, 640x480.
extern BITMAP* canvas;

// Opens the window at the scale and makes the canvas when there is none yet.
// False when the library cannot set that mode; the window is then gone, and
// the caller opens another.
bool openWindow(int scale);
// The scale the window has now.
int windowScale();

// The picture drawn at the pointer when it is shown; its top-left pixel is
// the tip.
void setPointerPicture(BITMAP* picture);
// Copies the canvas to the window, enlarged, with the pointer over it; the
// canvas itself is left without the pointer.
void presentCanvas();
// For the library's file selector, which draws into the canvas in its own
// loop: presents the canvas when it or the pointer changed since it was last
// presented, looking at most once a tick.
void presentCanvasWhenChanged();

// F5: the window steps to its next scale, as the game has set it to (and
// remembers the choice); then the canvas is presented at the new size.
void setScaleStepAction(void (*action)());
void stepWindowScale();

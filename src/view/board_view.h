// One frame of play: the board, the figure and the status panel.
#pragma once

#include <allegro.h>

#include <cstdint>

// Where the board's cells stand in the 640x480 picture: the size of a cell in
// pixels, and the pixel where cell (0, 0) has its top-left corner.
struct BoardGeometry {
    int cell;
    int left;
    int top;
};

// The geometry of the level in the Board as it is drawn.
BoardGeometry boardGeometry();
// The cell under a pixel of the picture, as the board is drawn now. False for
// a pixel outside the board's area (the status panel, say).
bool cellAtPixel(int x, int y, int32_t& column, int32_t& row);

// Composes the frame into `target` and presents it in the window, by way of
// the canvas when `target` is another bitmap.
void drawFrame(BITMAP* target, DATAFILE* sprites);
// The same frame, composed into `target` only.
void composeFrame(BITMAP* target, DATAFILE* sprites);

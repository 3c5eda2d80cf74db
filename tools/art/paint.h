// Small painting helpers for the asset tools, on 32-bit memory bitmaps of the
// library, which needs no display.
#pragma once

#include <allegro.h>

#include <cstdint>

// The colour draw_sprite skips: whatever is painted in it shows what lies below.
inline int maskColour() { return makecol32(255, 0, 255); }
inline int rgb(int r, int g, int b) { return makecol32(r, g, b); }
// A colour made lighter (amount > 0) or darker (amount < 0), amount in -255..255.
int shade(int colour, int amount);
// A new 32-bit picture filled with one colour.
BITMAP* newPicture(int width, int height, int fill);
// A repeatable pseudo-random number in 0..range-1 for speckles and texture.
int noise(uint32_t& state, int range);
// Text in the library's 8x8 font, blown up `scale` times, with a drop shadow
// when `shadow` is not -1.
void bigText(BITMAP* target, const char* text, int x, int y, int scale, int colour, int shadow);
// The same, centred on x.
void bigTextCentre(BITMAP* target, const char* text, int centreX, int y, int scale, int colour, int shadow);
// The colour nearest (r, g, b) on the 16-bit screen's 5-6-5 grid, picked by an
// ordered 4x4 dither at pixel (x, y): a smooth shade becomes a fine even
// pattern of two neighbouring colours instead of a staircase of bands.
int dithered(double r, double g, double b, int x, int y);
// A vertical gradient from `top` to `bottom` over the rectangle, dithered.
void verticalGradient(BITMAP* target, int x1, int y1, int x2, int y2, int top, int bottom);

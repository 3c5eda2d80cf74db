// How many times the 640x480 picture is enlarged in the window: the largest
// whole number that fits the desktop, or the player's choice. Kept apart from
// the drawing so it can be checked without a display.
#pragma once

constexpr int largestScale = 4;

// The largest scale, 1 to largestScale, whose window fits a desktop of that
// size with room left for the window's title bar and the desktop's panels;
// 1 when even that does not fit, or the desktop's size is unknown.
int scaleThatFits(int desktopWidth, int desktopHeight);
// The scale F5 steps to: one larger while that fits, else back to 1.
int nextScale(int scale, int fitting);

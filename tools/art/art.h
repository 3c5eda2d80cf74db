// The game's own pictures and sounds, drawn and synthesized from code at build
// time. Each function returns a new 32-bit picture the caller destroys.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <vector>

// Board pictures, 32x32, magenta where the floor shows through.
BITMAP* paintFloor();
BITMAP* paintWall();
BITMAP* paintTarget();
BITMAP* paintBox();
// The figure facing 'd', 'u', 'l' or 'r'.
BITMAP* paintPlayer(char facing);

// Full-screen pictures, 640x480, and the menu cursor.
BITMAP* paintMenuCursor();
BITMAP* paintInterlude();
// Instruction page 1 to 6, and page 7 the closing page.
BITMAP* paintInstructionPage(int page);
BITMAP* paintTitle();
BITMAP* paintMenuBackground();

// The push sound: signed 16-bit mono frames at pushSoundRate.
constexpr int pushSoundRate = 22050;
std::vector<int16_t> synthesizePushSound();

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

// Where the game's menu draws the cursor for entries 1 to 4: the cursor's
// left edge, where its tip is, and the top of each entry's row.
constexpr int menuEntryCount = 4;
constexpr int menuCursorX = 390;
constexpr int menuCursorRows[menuEntryCount] = {64, 92, 122, 152};
// The rectangle an entry's lettering fills on the menu picture, entries
// counted from 0, and the one colour the entries are painted in.
struct MenuEntryPlace {
    int left, top, right, bottom;
};
MenuEntryPlace menuEntryPlace(int entry);
int menuEntryInk();

// The application icon, size x size pixels (32 for the window and the .ico),
// magenta where the desktop shows through.
BITMAP* paintIcon(int size = 32);

// The push sound: signed 16-bit mono frames at pushSoundRate.
constexpr int pushSoundRate = 22050;
std::vector<int16_t> synthesizePushSound();

// The game's own pictures and sounds, drawn and synthesized from code at build
// time. Each function returns a new 32-bit picture the caller destroys.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <vector>

// Board pictures, size x size for each of the board's cell sizes (32, 24, 16,
// 12 or 8), magenta where the floor shows through.
BITMAP* paintFloor(int size = 32);
BITMAP* paintWall(int size = 32);
BITMAP* paintTarget(int size = 32);
BITMAP* paintBox(int size = 32);
// The figure facing 'd', 'u', 'l' or 'r'.
BITMAP* paintPlayer(char facing, int size = 32);
// The mouse pointer, an arrow whose tip is its top-left pixel.
constexpr int pointerWidth = 12;
constexpr int pointerHeight = 19;
BITMAP* paintPointer();
// Every colour the board pictures below 32 pixels and the pointer are
// painted in; the 32-pixel pictures add speckles of their own.
std::vector<int> boardPalette();

// Full-screen pictures, 640x480, and the menu cursor.
BITMAP* paintMenuCursor();
BITMAP* paintInterlude();
// Instruction page 1 to 6, and page 7 the closing page.
BITMAP* paintInstructionPage(int page);
BITMAP* paintTitle();
BITMAP* paintMenuBackground();
// The level chooser's picture, without the levels (see view/chooser_layout.h).
BITMAP* paintChooserBackground();

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

// What the two datafiles hold, item by item. The game addresses items by
// position only, so these numbers are fixed; the datafile writer under tools/
// builds the files from the same list.
#pragma once

constexpr const char* spritesFileName = "sprites.dat";
constexpr const char* screensFileName = "data.dat";

// sprites.dat: the board pictures, a set of eight for each size a cell can be
// drawn at, largest first, then the mouse pointer. A level too big for the
// board at 32 pixels a cell is drawn whole at the largest size it fits.
constexpr int cellPixels = 32;
constexpr int cellSizes[] = {32, 24, 16, 12, 8};
constexpr int cellSizeCount = int(sizeof cellSizes / sizeof cellSizes[0]);
// The kinds of picture in a set; spriteItemCount counts them.
enum SpriteItem {
    spritePlayerDown = 0,
    spriteBox = 1,
    spriteFloor = 2,
    spriteTarget = 3,
    spriteWall = 4,
    spritePlayerLeft = 5,
    spritePlayerRight = 6,
    spritePlayerUp = 7,
    spriteItemCount = 8
};
// The item of a kind at cellSizes[sizeIndex]: the 32-pixel set keeps items
// 0 to 7, the 24-pixel set is 8 to 15, and so on down to 8 pixels.
constexpr int spriteItem(int sizeIndex, SpriteItem kind) { return sizeIndex * spriteItemCount + kind; }
// The mouse pointer, an arrow whose tip, its top-left pixel, is where it points.
constexpr int spritePointer = cellSizeCount * spriteItemCount;
constexpr int spritesFileItems = spritePointer + 1;

// data.dat: the full-screen pictures, the menu cursor and the push sound.
// New items go at the end, so the numbers of the others stay as they are.
constexpr int screenWidth = 640;
constexpr int screenHeight = 480;
enum ScreenItem {
    screenMenuCursor = 0,
    screenInterlude = 1,
    screenFirstPage = 2,   // instruction pages one to six are items 2 to 7
    screenLastPage = 7,
    screenClosingPage = 8,
    screenTitle = 9,
    screenPushSound = 10,
    screenMenu = 11,
    screenChooser = 12,  // the level chooser without its levels
    screenItemCount = 13
};

// What the two datafiles hold, item by item. The game addresses items by
// position only, so these numbers are fixed; the datafile writer under tools/
// builds the files from the same list.
#pragma once

constexpr const char* spritesFileName = "sprites.dat";
constexpr const char* screensFileName = "data.dat";

// sprites.dat: the board pictures, one 32x32 cell each.
constexpr int cellPixels = 32;
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

// data.dat: the full-screen pictures, the menu cursor and the push sound.
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
    screenItemCount = 12
};

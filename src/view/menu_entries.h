// The main menu's four entries form a ring: Up from the first goes to the last,
// Down from the last to the first. Kept apart from the drawing so it can be
// checked without a display.
#pragma once

enum MenuEntry { menuNewGame = 1, menuSavedGame = 2, menuInstructions = 3, menuExit = 4 };
// What the menu's keys choose besides its entries; the cursor stays where it is.
enum MenuKey { menuOpenCollection = 10, menuChooseLevel = 11 };

constexpr int menuCursorX = 390;

int entryAbove(int entry);
int entryBelow(int entry);
// The cursor's y on the menu picture for an entry; the rows are 28, 30 and 30
// pixels apart, as the entries are painted.
int cursorRowOf(int entry);
// The entry whose slot on the menu picture holds the point, or 0 for none.
int entryAtPoint(int x, int y);

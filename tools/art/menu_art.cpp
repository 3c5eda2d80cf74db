// The main menu: the name over a wooden board with the four entries, each in
// its own slot with room on the right for the cursor the game draws; a small
// room beside the board and the yard below, and a line saying which keys work.
#include "art.h"
#include "paint.h"
#include "screen_parts.h"

namespace {

const char* const entryNames[menuEntryCount] = {"New Game", "Continue Saved Game", "Instructions", "Exit"};
const int entryScale = 2;
const int entryGap = 14;  // between the end of an entry and the cursor's tip

int cursorHeight() { return 24; }

}  // namespace

int menuEntryInk() { return makecol32(252, 240, 208); }

MenuEntryPlace menuEntryPlace(int entry) {
    const int row = menuCursorRows[entry];
    const int textHeight = 8 * entryScale;
    const int width = letteringWidth(entryNames[entry], entryScale);
    const int right = menuCursorX - entryGap;
    const int top = row + (cursorHeight() - textHeight) / 2;
    return {right - width, top, right - 1, top + textHeight - 1};
}

BITMAP* paintMenuCursor() {
    // An arrow pointing left, its tip on the middle row at the left edge, so
    // drawn at the cursor column it points straight at the entry's last letter.
    BITMAP* picture = newPicture(40, cursorHeight(), maskColour());
    const int middle = cursorHeight() / 2;
    triangle(picture, 0, middle, 17, 0, 17, cursorHeight() - 1, soot());
    rectfill(picture, 16, middle - 6, 39, middle + 5, soot());
    triangle(picture, 3, middle, 15, 3, 15, cursorHeight() - 4, goldInk());
    rectfill(picture, 15, middle - 4, 37, middle + 3, goldInk());
    line(picture, 3, middle, 15, 3, goldLight());
    hline(picture, 15, middle - 4, 37, goldLight());
    hline(picture, 15, middle + 3, 37, goldDark());
    line(picture, 4, middle + 1, 15, cursorHeight() - 4, goldDark());
    // A little crate-window ring on the shaft ties the cursor to the game.
    circlefill(picture, 29, middle, 2, woodDark());
    return picture;
}

BITMAP* paintMenuBackground() {
    BITMAP* picture = brickBackdrop(250, 120, 420, 30, 70);
    BoardSprites sprites;

    // The yard below the board: a room at the board's own size.
    const int yardTop = 222;
    drawRoom(picture, sprites,
             {"####################",
              "#---#----.---$---.-#",
              "#-$-#-*--#--##-$---#",
              "#-.---$--#--r-----*#",
              "#---##---#-$-.--#--#",
              "#--------------.$--#",
              "####################"},
             0, yardTop, 1);
    lightArea(picture, 0, yardTop, pictureWidth - 1, yardTop + 7 * 32 - 1, 400, yardTop + 96, 380, 30, 92);

    letterCentred(picture, "boxyard", pictureWidth / 2, 10, goldLettering(4));

    // The board holding the entries, and a slot for each one.
    const int boardX1 = 40, boardY1 = 52, boardX2 = 452, boardY2 = 190;
    dimArea(picture, boardX1 + 8, boardY1 + 8, boardX2 + 8, boardY2 + 8, 45);
    woodBoard(picture, boardX1, boardY1, boardX2, boardY2, 28, 1234u);
    for (int entry = 0; entry < menuEntryCount; entry++) {
        int y = menuCursorRows[entry];
        insetSlot(picture, boardX1 + 16, y - 2, boardX2 - 14, y + cursorHeight() + 1, makecol32(52, 32, 18));
    }
    Lettering entryStyle = creamLettering(entryScale);
    entryStyle.fill = menuEntryInk();
    entryStyle.outline = -1;
    entryStyle.shadow = soot();
    entryStyle.shadowOffset = 1;
    for (int entry = 0; entry < menuEntryCount; entry++) {
        MenuEntryPlace place = menuEntryPlace(entry);
        letter(picture, entryNames[entry], place.left, place.top, entryStyle);
    }

    // Beside the board, the worker in a gold frame, close up: one crate home,
    // one still to go.
    const int roomX = 480, roomY = 58;
    rectfill(picture, roomX - 8, roomY - 8, roomX + 2 * 64 + 7, roomY + 2 * 64 + 7, soot());
    rect(picture, roomX - 6, roomY - 6, roomX + 2 * 64 + 5, roomY + 2 * 64 + 5, goldInk());
    rect(picture, roomX - 5, roomY - 5, roomX + 2 * 64 + 4, roomY + 2 * 64 + 4, goldDark());
    drawRoom(picture, sprites, {"d*", "$."}, roomX, roomY, 2);

    // The hint lines on a dark strip along the bottom: the entries, then the
    // keys that open levels of the player's own.
    rectfill(picture, 0, 424, pictureWidth - 1, pictureHeight - 1, soot());
    hline(picture, 0, 424, pictureWidth - 1, goldDark());
    letterCentred(picture, "Up/Down to choose, Enter to select", pictureWidth / 2, 431, creamLettering(2));
    letterCentred(picture, "O opens a collection, L chooses a level", pictureWidth / 2, 455, creamLettering(2));
    return picture;
}

// The level-won and set-finished screens, written over the last frame. The
// counters run on; only the level number rises. Each screen waits for a press
// of Enter made while it shows; the menu after the closing screen ignores the
// Enter that closed it, however long it is held.
#include "view/level_end.h"

#include "files/level_file.h"
#include "rules/board.h"
#include "view/key_waits.h"
#include "view/title_menu.h"

void finishLevel(DATAFILE* screens) {
    if (board.layout.nextLevelFile == "lastlevel") {
        finishLevelSet(screens);
        return;
    }
    const int white = makecol(255, 255, 255);
    textprintf_ex(screen, font, 220, 124, white, -1, " You have beat level %d ", int(board.levelNumber));
    // A level number can only come from play or a saved game; it wraps as it
    // counts rather than overflowing.
    board.levelNumber = int32_t(uint32_t(board.levelNumber) + 1u);
    textprintf_ex(screen, font, 180, 144, white, -1, " Hit [ENTER] to proceed to level %d ", int(board.levelNumber));
    waitForEnterPress();
    loadLevel(board.layout.nextLevelFile);
}

void finishLevelSet(DATAFILE* screens) {
    const int white = makecol(255, 255, 255);
    textprintf_ex(screen, font, 260, 144, white, -1, "Congratulations!");
    textprintf_ex(screen, font, 200, 154, white, -1, "You have completed this level set!");
    textprintf_ex(screen, font, 180, 164, white, -1, "Hit [ENTER] to return to the main screen!");
    rest(100);
    waitForEnterPress();
    clear_keybuf();
    rest(100);
    runMainMenu(screens);
}

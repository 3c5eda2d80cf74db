// The level-won and set-finished screens, written over the last frame. The
// counters run on; only the level number rises. Each screen waits for a press
// of Enter made while it shows; the menu after the closing screen ignores the
// Enter that closed it, however long it is held. Winning a level keeps the
// next one in the autosave; finishing the set writes nothing, so the autosave
// keeps the set's last level as it was last kept, to be played again.
#include "view/level_end.h"

#include "files/level_file.h"
#include "files/saved_game.h"
#include "rules/board.h"
#include "shell/autosave.h"
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
    // The player now stands at the start of the next level: kept before the
    // wait, so a window closed on this screen loses nothing. A next level
    // that cannot be opened ends the game below, and is not kept.
    const std::string next = board.layout.nextLevelFile;
    levelInPlay = false;
    if (canOpenLevel(next)) writeAutosave({next, board.levelNumber, board.stepsTaken, board.timesPushed});
    waitForEnterPress();
    loadLevel(next);
    levelInPlay = true;
}

void finishLevelSet(DATAFILE* screens) {
    levelInPlay = false;
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

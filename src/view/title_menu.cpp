// The title and the main menu. The menu is browsed with Up and Down and taken
// with Enter: a new game from the first level, a saved game, the instruction
// pages, or leaving the program. It returns only with a level loaded.
#include "view/title_menu.h"

#include <cstdlib>

#include "files/level_file.h"
#include "rules/board.h"
#include "shell/resource_items.h"
#include "view/menu_entries.h"
#include "view/save_dialogs.h"

namespace {

BITMAP* item(DATAFILE* set, int number) { return static_cast<BITMAP*>(set[number].dat); }

void showPicture(BITMAP* picture) { blit(picture, screen, 0, 0, 0, 0, screenWidth, screenHeight); }

void startNewGame() {
    loadLevel(firstLevelFile);
    board.levelNumber = 1;
    board.stepsTaken = 0;
    board.timesPushed = 0;
}

// Six pages, each followed by a short interlude, then the closing page. A key
// typed during an interlude turns the next page at once; the closing page
// always waits for a fresh key.
void showInstructions(DATAFILE* screens) {
    clear_keybuf();
    for (int page = screenFirstPage; page <= screenLastPage; page++) {
        showPicture(item(screens, page));
        readkey();
        clear_keybuf();
        showPicture(item(screens, screenInterlude));
        rest(200);
    }
    clear_keybuf();
    showPicture(item(screens, screenClosingPage));
    readkey();
}

}  // namespace

void showTitle(DATAFILE* screens) {
    rest(1000);
    clear_keybuf();
    showPicture(item(screens, screenTitle));
    rest(3000);
    clear_bitmap(screen);
    clear_keybuf();
}

void runMainMenu(DATAFILE* screens) {
    BITMAP* menu = create_bitmap(screenWidth, screenHeight);
    int entry = menuNewGame;
    bool done = false;
    clear_keybuf();
    while (!done) {
        // Up and Down are not latched: the pause sets how fast a held key
        // walks the cursor round.
        if (key[KEY_UP]) {
            rest(100);
            entry = entryAbove(entry);
        }
        if (key[KEY_DOWN]) {
            rest(100);
            entry = entryBelow(entry);
        }
        if (key[KEY_ENTER]) {
            switch (entry) {
                case menuNewGame:
                    startNewGame();
                    done = true;
                    break;
                case menuSavedGame:
                    if (loadSavedGame()) {
                        loadLevel(board.layout.currentLevelFile);
                        done = true;
                    }
                    break;
                case menuInstructions:
                    showInstructions(screens);
                    break;
                case menuExit:
                    // Leaving is no failure: the process ends with status 0.
                    unload_datafile(screens);
                    destroy_bitmap(menu);
                    std::exit(0);
            }
        }
        blit(item(screens, screenMenu), menu, 0, 0, 0, 0, screenWidth, screenHeight);
        draw_sprite(menu, item(screens, screenMenuCursor), menuCursorX, cursorRowOf(entry));
        showPicture(menu);
        rest(0);
    }
    destroy_bitmap(menu);
}

// The title and the main menu. The menu is browsed with Up and Down and taken
// with Enter: a new game from the first level, a saved game, the instruction
// pages, or leaving the program. It returns only with a level loaded. It
// draws only when the cursor moves or a page closes, and otherwise sleeps.
// Closing the window here ends the game without touching the autosave: the
// menu is no game in progress.
#include "view/title_menu.h"

#include <chrono>
#include <cstdlib>

#include "files/level_file.h"
#include "rules/board.h"
#include "shell/autosave.h"
#include "shell/close_request.h"
#include "shell/key_presses.h"
#include "shell/resource_items.h"
#include "view/key_waits.h"
#include "view/menu_entries.h"
#include "view/save_dialogs.h"

namespace {

// A held Up or Down walks the cursor on after this pause, then at this pace.
constexpr unsigned menuRepeatDelayMs = 400;
constexpr unsigned menuRepeatMs = 100;
// How often the menu looks at the keys while nothing changes: far quicker
// than any press, far slower than a busy loop.
constexpr unsigned menuLookMs = 4;

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
        waitForKey();
        clear_keybuf();
        showPicture(item(screens, screenInterlude));
        rest(200);
    }
    clear_keybuf();
    showPicture(item(screens, screenClosingPage));
    waitForKey();
}

// The keys that browse the menu. Enter acts once per press made while the
// menu shows; Up and Down move the cursor one entry per press and walk on
// while held.
struct MenuKeys {
    KeyRepeat up;
    KeyRepeat down;
    KeyLatch enter;
};

// Keys already down when the menu opens, or when a page or the file selector
// it opened closes, were pressed for something else: the Enter that closed
// the last page or the end of a level set, an arrow used in the selector.
void holdOverMenuKeys(MenuKeys& keys) {
    holdOver(keys.up, key[KEY_UP]);
    holdOver(keys.down, key[KEY_DOWN]);
    holdOver(keys.enter, key[KEY_ENTER]);
}

unsigned millisecondsSince(std::chrono::steady_clock::time_point start) {
    auto elapsed = std::chrono::steady_clock::now() - start;
    return unsigned(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

// A pause that a close of the window cuts short.
void pauseFor(unsigned milliseconds) {
    for (unsigned slept = 0; slept < milliseconds; slept += menuLookMs) {
        actOnCloseRequest();
        rest(menuLookMs);
    }
}

}  // namespace

void showTitle(DATAFILE* screens) {
    pauseFor(1000);
    clear_keybuf();
    showPicture(item(screens, screenTitle));
    pauseFor(3000);
    clear_bitmap(screen);
    clear_keybuf();
}

void runMainMenu(DATAFILE* screens) {
    levelInPlay = false;
    BITMAP* menu = create_bitmap(screenWidth, screenHeight);
    int entry = menuNewGame;
    bool done = false;
    bool redraw = true;
    const auto opened = std::chrono::steady_clock::now();
    MenuKeys keys;
    resetKeyRepeat(keys.up);
    resetKeyRepeat(keys.down);
    holdOverMenuKeys(keys);
    clear_keybuf();
    while (!done) {
        actOnCloseRequest();
        unsigned now = millisecondsSince(opened);
        bool up = keyPressedOrRepeated(keys.up, key[KEY_UP], now, menuRepeatDelayMs, menuRepeatMs);
        bool down = keyPressedOrRepeated(keys.down, key[KEY_DOWN], now, menuRepeatDelayMs, menuRepeatMs);
        // Up and Down together go nowhere.
        if (up && !key[KEY_DOWN]) {
            entry = entryAbove(entry);
            redraw = true;
        } else if (down && !key[KEY_UP]) {
            entry = entryBelow(entry);
            redraw = true;
        }
        if (keyPressed(keys.enter, key[KEY_ENTER])) {
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
            holdOverMenuKeys(keys);
            redraw = true;
        }
        if (!redraw) {
            // The menu shows what it should: look at the keys again shortly.
            rest(menuLookMs);
            continue;
        }
        // The menu is shown once more in the pass that ends it.
        redraw = false;
        blit(item(screens, screenMenu), menu, 0, 0, 0, 0, screenWidth, screenHeight);
        draw_sprite(menu, item(screens, screenMenuCursor), menuCursorX, cursorRowOf(entry));
        showPicture(menu);
    }
    destroy_bitmap(menu);
    levelInPlay = true;
}

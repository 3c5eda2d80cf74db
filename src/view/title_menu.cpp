// The title and the main menu. The menu is browsed with Up and Down and taken
// with Enter, or pointed at and clicked; what the entry taken leads to is the
// game's to decide. It draws only when the cursor or the pointer moves, and
// otherwise sleeps.
#include "view/title_menu.h"

#include <chrono>

#include "input/close_request.h"
#include "input/key_presses.h"
#include "input/key_waits.h"
#include "input/mouse_input.h"
#include "view/canvas.h"
#include "view/menu_entries.h"
#include "view/resource_items.h"

namespace {

// A held Up or Down walks the cursor on after this pause, then at this pace.
constexpr unsigned menuRepeatDelayMs = 400;
constexpr unsigned menuRepeatMs = 100;
// How often the menu looks at the keys while nothing changes: far quicker
// than any press, far slower than a busy loop.
constexpr unsigned menuLookMs = 4;

BITMAP* item(DATAFILE* set, int number) { return static_cast<BITMAP*>(set[number].dat); }

void showPicture(BITMAP* picture) {
    blit(picture, canvas, 0, 0, 0, 0, screenWidth, screenHeight);
    presentCanvas();
}

// The keys that browse the menu. Enter acts once per press made while the
// menu shows; Up and Down move the cursor one entry per press and walk on
// while held.
struct MenuKeys {
    KeyRepeat up;
    KeyRepeat down;
    KeyLatch enter;
    KeyLatch scale;
    KeyLatch open;
    KeyLatch choose;
};

// Keys already down when the menu opens, or when a page or the file selector
// it opened closes, were pressed for something else: the Enter that closed
// the last page or the end of a level set, an arrow used in the selector.
void holdOverMenuKeys(MenuKeys& keys) {
    holdOver(keys.up, key[KEY_UP]);
    holdOver(keys.down, key[KEY_DOWN]);
    holdOver(keys.enter, key[KEY_ENTER]);
    holdOver(keys.scale, key[KEY_F5]);
    holdOver(keys.open, key[KEY_O]);
    holdOver(keys.choose, key[KEY_L]);
}

unsigned millisecondsSince(std::chrono::steady_clock::time_point start) {
    auto elapsed = std::chrono::steady_clock::now() - start;
    return unsigned(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

// A pause that a close of the window cuts short.
void pauseFor(unsigned milliseconds) {
    for (unsigned slept = 0; slept < milliseconds; slept += menuLookMs) {
        actOnCloseRequest();
        followPointer();
        rest(menuLookMs);
    }
}

}  // namespace

// Six pages, each followed by a short interlude, then the closing page. A key
// typed during an interlude turns the next page at once; the closing page
// always waits for a fresh key. A click turns a page as a key does.
void showInstructions(DATAFILE* screens) {
    clear_keybuf();
    for (int page = screenFirstPage; page <= screenLastPage; page++) {
        showPicture(item(screens, page));
        waitForKeyOrClick();
        clear_keybuf();
        showPicture(item(screens, screenInterlude));
        rest(200);
    }
    clear_keybuf();
    showPicture(item(screens, screenClosingPage));
    waitForKeyOrClick();
}

void showTitle(DATAFILE* screens) {
    pauseFor(1000);
    clear_keybuf();
    showPicture(item(screens, screenTitle));
    pauseFor(3000);
    clear_bitmap(canvas);
    presentCanvas();
    clear_keybuf();
}

int runMainMenu(DATAFILE* screens, int entry) {
    int chosen = 0;
    const auto opened = std::chrono::steady_clock::now();
    MenuKeys keys;
    resetKeyRepeat(keys.up);
    resetKeyRepeat(keys.down);
    holdOverMenuKeys(keys);
    MouseWatch mouse;
    holdOverMouse(mouse);
    clear_keybuf();
    bool redraw = true;
    while (!chosen) {
        actOnCloseRequest();
        // The pointer moved onto an entry takes the cursor with it; a click
        // on an entry takes it.
        if (lookAtPointer()) {
            const int pointed = pointer.shown ? entryAtPoint(pointer.x, pointer.y) : 0;
            if (pointed) entry = pointed;
            redraw = true;
        }
        if (readMouse(mouse).leftClick && pointer.shown) {
            const int clicked = entryAtPoint(pointer.x, pointer.y);
            if (clicked) chosen = entry = clicked;
        }
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
        if (keyPressed(keys.enter, key[KEY_ENTER])) chosen = entry;
        if (keyPressed(keys.scale, key[KEY_F5])) {
            stepWindowScale();
            redraw = true;
        }
        if (keyPressed(keys.open, key[KEY_O])) return menuOpenCollection;
        if (keyPressed(keys.choose, key[KEY_L])) return menuChooseLevel;
        if (!redraw) {
            // The menu shows what it should: look at the keys again shortly.
            rest(menuLookMs);
            continue;
        }
        redraw = false;
        blit(item(screens, screenMenu), canvas, 0, 0, 0, 0, screenWidth, screenHeight);
        draw_sprite(canvas, item(screens, screenMenuCursor), menuCursorX, cursorRowOf(entry));
        presentCanvas();
    }
    return chosen;
}

// Waiting for keys without spinning: a look at the keyboard every millisecond,
// and at the window's close button, which ends the game from any wait.
#include "input/key_waits.h"

#include <allegro.h>

#include <atomic>

#include "input/close_request.h"
#include "input/key_presses.h"
#include "input/mouse_input.h"

namespace {

// Keys down since a wait began and not let go since. The library's input
// thread reads and clears them, the main thread sets them.
std::atomic<bool> heldOver[KEY_MAX];

// Every key event as it arrives: a release (the high bit) ends the hold.
void noteRelease(int scancode) {
    if (scancode & 0x80) heldOver[scancode & 0x7F].store(false);
}
END_OF_FUNCTION(noteRelease)

// Every press on its way into the key buffer: a repeat of a held-over key is
// dropped, which the library takes from a zero key with a zero scancode.
int dropHeldOverRepeat(int key, int* scancode) {
    if (*scancode > 0 && *scancode < KEY_MAX && heldOver[*scancode].load()) {
        *scancode = 0;
        return 0;
    }
    return key;
}
END_OF_FUNCTION(dropHeldOverRepeat)

}  // namespace

void ignoreRepeatsOfHeldKeys() {
    static bool watching = false;
    if (!watching) {
        LOCK_VARIABLE(heldOver);
        LOCK_FUNCTION(noteRelease);
        LOCK_FUNCTION(dropHeldOverRepeat);
        keyboard_lowlevel_callback = noteRelease;
        keyboard_ucallback = dropHeldOverRepeat;
        watching = true;
    }
    for (int scancode = 1; scancode < KEY_MAX; scancode++) heldOver[scancode].store(key[scancode] != 0);
}

int waitForKey() {
    ignoreRepeatsOfHeldKeys();
    while (!keypressed()) {
        actOnCloseRequest();
        followPointer();
        rest(1);
    }
    return readkey();
}

int waitForKeyOrClick() {
    ignoreRepeatsOfHeldKeys();
    MouseWatch mouse;
    holdOverMouse(mouse);
    while (!keypressed()) {
        actOnCloseRequest();
        followPointer();
        if (readMouse(mouse).leftClick) return 0;
        rest(1);
    }
    return readkey();
}

void waitForEnterOrClick() {
    KeyLatch enter;
    holdOver(enter, key[KEY_ENTER]);
    MouseWatch mouse;
    holdOverMouse(mouse);
    while (!keyPressed(enter, key[KEY_ENTER])) {
        actOnCloseRequest();
        followPointer();
        if (readMouse(mouse).leftClick) return;
        rest(1);
    }
}

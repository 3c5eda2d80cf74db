// Waiting for keys without spinning: a look at the keyboard every millisecond,
// and at the window's close button, which ends the game from any wait.
#include "view/key_waits.h"

#include <allegro.h>

#include "shell/close_request.h"
#include "shell/key_presses.h"

int waitForKey() {
    while (!keypressed()) {
        actOnCloseRequest();
        rest(1);
    }
    return readkey();
}

void waitForEnterPress() {
    KeyLatch enter;
    holdOver(enter, key[KEY_ENTER]);
    while (!keyPressed(enter, key[KEY_ENTER])) {
        actOnCloseRequest();
        rest(1);
    }
}

// Waiting for keys without spinning: a look at the keyboard every millisecond.
#include "view/key_waits.h"

#include <allegro.h>

#include "shell/key_presses.h"

int waitForKey() {
    while (!keypressed()) rest(1);
    return readkey();
}

void waitForEnterPress() {
    KeyLatch enter;
    holdOver(enter, key[KEY_ENTER]);
    while (!keyPressed(enter, key[KEY_ENTER])) rest(1);
}

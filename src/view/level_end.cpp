// The level-won and set-finished screens, written over the last frame. Each
// waits for a press of Enter, or a click, made while it shows; an Enter
// already down when it opens does not count, however long it is held.
#include "view/level_end.h"

#include <allegro.h>

#include "input/key_waits.h"
#include "view/canvas.h"

void showLevelWon(int32_t won, int32_t next) {
    const int white = makecol(255, 255, 255);
    textprintf_ex(canvas, font, 220, 124, white, -1, " You have beat level %d ", int(won));
    textprintf_ex(canvas, font, 180, 144, white, -1, " Hit [ENTER] to proceed to level %d ", int(next));
    presentCanvas();
    waitForEnterOrClick();
}

void showSetFinished() {
    const int white = makecol(255, 255, 255);
    textprintf_ex(canvas, font, 260, 144, white, -1, "Congratulations!");
    textprintf_ex(canvas, font, 200, 154, white, -1, "You have completed this level set!");
    textprintf_ex(canvas, font, 180, 164, white, -1, "Hit [ENTER] to return to the main screen!");
    presentCanvas();
    rest(100);
    waitForEnterOrClick();
    clear_keybuf();
    rest(100);
}

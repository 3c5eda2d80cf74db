// The prompts are written straight over the last frame and stay there until
// the next one is drawn. The restart spins the picture almost a full turn
// about the screen's centre before the level comes back.
#include "view/prompts.h"

#include <allegro.h>

#include "input/key_waits.h"
#include "view/canvas.h"
#include "view/resource_items.h"

namespace {

// Writes the question and waits for one key. Yes is Y: either held down when
// the key arrives, or the key itself, with or without Shift, since a quick tap
// can be let go before the answer is read. Anything else is no.
bool askYesNo(const char* title, int titleX) {
    clear_keybuf();
    textprintf_ex(canvas, font, titleX, 128, makecol(255, 0, 0), -1, "%s", title);
    textprintf_ex(canvas, font, 220, 148, makecol(255, 255, 255), -1, " Are you sure (y/n)? ");
    presentCanvas();
    int pressed = waitForKey();
    return key[KEY_Y] || (pressed >> 8) == KEY_Y;
}

}  // namespace

bool askRestart() { return askYesNo(" Restart Level ", 245); }

bool askQuit() { return askYesNo(" Quit ", 280); }

// Turns the captured screen by 12/256 of a turn at a time, as fast as the
// machine draws. The spin picture is not cleared between steps, so the
// uncovered corners keep what earlier steps left and the picture smears.
void spinScreen() {
    BITMAP* capture = create_bitmap(screenWidth, screenHeight);
    BITMAP* spin = create_bitmap(screenWidth, screenHeight);
    clear_bitmap(spin);
    blit(canvas, capture, 0, 0, 0, 0, screenWidth, screenHeight);
    for (int angle = 0; angle < 256; angle += 12) {
        rotate_scaled_sprite(spin, capture, 0, 0, itofix(angle), itofix(1));
        blit(spin, canvas, 0, 0, 0, 0, screenWidth, screenHeight);
        presentCanvas();
    }
    destroy_bitmap(spin);
    destroy_bitmap(capture);
}


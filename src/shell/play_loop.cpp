// Keys are examined once per 60 Hz tick; frames are drawn as fast as they come.
// Ticks that piled up while the game waited are worked off back to back.
#include "shell/play_loop.h"

#include "rules/board.h"
#include "rules/completion.h"
#include "rules/moves.h"
#include "shell/ticks.h"
#include "view/board_view.h"
#include "view/level_end.h"
#include "view/music.h"
#include "view/prompts.h"
#include "view/save_dialogs.h"

namespace {

bool anyArrowHeld() { return key[KEY_UP] || key[KEY_DOWN] || key[KEY_LEFT] || key[KEY_RIGHT]; }

// One press of an arrow makes at most one move: after a move the latch holds
// every arrow off until a tick in which none of them is down. A step that goes
// nowhere leaves the latch clear, so the figure keeps turning as keys change.
void handleArrows(bool& moveLatch, DATAFILE* screenSet) {
    const Direction* direction = nullptr;
    if (key[KEY_UP] && !moveLatch) {
        direction = &moveUp;
    } else if (key[KEY_LEFT] && !moveLatch) {
        direction = &moveLeft;
    } else if (key[KEY_RIGHT] && !moveLatch) {
        direction = &moveRight;
    } else if (key[KEY_DOWN] && !moveLatch) {
        direction = &moveDown;
    } else if (!anyArrowHeld()) {
        moveLatch = false;
    }
    if (direction && tryMove(*direction, screenSet)) moveLatch = true;
}

}  // namespace

void runPlayLoop(BITMAP* backBuffer, DATAFILE* spriteSet, DATAFILE* screenSet) {
    bool moveLatch = false;
    for (;;) {
        while (tickCounter.load() > 0) {
            handleArrows(moveLatch, screenSet);
            // The commands are not latched: each acts in every tick its key is held.
            if (key[KEY_R]) confirmRestart();
            if (key[KEY_S]) saveGame();
            if (key[KEY_M]) playRandomMusic();
            if (key[KEY_ESC]) confirmQuit(screenSet);
            tickCounter.fetch_sub(1);
        }
        drawFrame(backBuffer, spriteSet);
        if (isLevelComplete()) finishLevel(screenSet);
    }
}

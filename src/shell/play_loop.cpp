// Keys are examined once per 60 Hz tick, and a frame is drawn after the ticks
// that changed something: a game standing still draws nothing and sleeps
// until the next tick. Ticks that piled up while the game waited are worked
// off back to back before the next frame. A close of the window is acted on
// at the next tick.
#include "shell/play_loop.h"

#include <chrono>

#include "rules/board.h"
#include "rules/completion.h"
#include "rules/history.h"
#include "rules/moves.h"
#include "shell/close_request.h"
#include "shell/key_presses.h"
#include "shell/play_aids.h"
#include "shell/ticks.h"
#include "view/board_view.h"
#include "view/level_end.h"
#include "view/music.h"
#include "view/prompts.h"
#include "view/save_dialogs.h"

namespace {

// Held M changes the tune again at most this often: 24 ticks, 400 ms.
constexpr unsigned tuneRepeatTicks = 24;

bool anyArrowHeld() { return key[KEY_UP] || key[KEY_DOWN] || key[KEY_LEFT] || key[KEY_RIGHT]; }

// One press of an arrow makes at most one move: after a move the latch holds
// every arrow off until a tick in which none of them is down. A step that goes
// nowhere leaves the latch clear, so the figure keeps turning as keys change.
// True when the figure moved or turned.
bool handleArrows(bool& moveLatch, DATAFILE* screenSet) {
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
    if (!direction) return false;
    char facing = board.player.facing;
    uint32_t pushes = board.timesPushed;
    if (playMove(*direction, screenSet)) {
        moveLatch = true;
        afterMove(board.timesPushed != pushes);
        return true;
    }
    return board.player.facing != facing;
}

// The command keys of play: each press is one action. Which of them act is
// settled from the keys as they are at the start of the tick; a key that goes
// down while a prompt, the file selector or the menu is open (Esc cancelling
// the selector, say) belongs to that, and does nothing here until it has been
// let go and pressed again.
struct CommandKeys {
    KeyLatch restart;
    KeyLatch save;
    KeyRepeat music;
    KeyLatch quit;
};

void resetCommandKeys(CommandKeys& keys) {
    resetKeyLatch(keys.restart);
    resetKeyLatch(keys.save);
    resetKeyRepeat(keys.music);
    resetKeyLatch(keys.quit);
}

// R, S, M and Esc, in that order. True when any of them acted, which leaves
// something new on the screen.
bool handleCommands(CommandKeys& keys, unsigned now, DATAFILE* screenSet) {
    const bool restartDown = key[KEY_R], saveDown = key[KEY_S], musicDown = key[KEY_M], quitDown = key[KEY_ESC];
    const bool restart = keyPressed(keys.restart, restartDown);
    const bool save = keyPressed(keys.save, saveDown);
    const bool music = keyPressedOrRepeated(keys.music, musicDown, now, tuneRepeatTicks, tuneRepeatTicks);
    const bool quit = keyPressed(keys.quit, quitDown);
    if (restart && confirmRestart()) afterLevelLoaded();
    if (save) saveGame();
    if (music) playRandomMusic();
    if (quit && confirmQuit(screenSet)) afterLevelLoaded();
    if (!(restart || save || music || quit)) return false;
    if (!restartDown) holdOver(keys.restart, key[KEY_R]);
    if (!saveDown) holdOver(keys.save, key[KEY_S]);
    if (!musicDown) holdOver(keys.music, key[KEY_M]);
    if (!quitDown) holdOver(keys.quit, key[KEY_ESC]);
    return true;
}

}  // namespace

void runPlayLoop(BITMAP* backBuffer, DATAFILE* spriteSet, DATAFILE* screenSet) {
    bool moveLatch = false;
    CommandKeys commands;
    resetCommandKeys(commands);
    AidKeys aids;
    resetAidKeys(aids);
    unsigned ticksWorked = 0;  // the clock held M, U and Shift+U are timed by
    auto lastTick = std::chrono::steady_clock::now();
    bool redraw = true;
    for (;;) {
        if (tickCounter.load() > 0) lastTick = std::chrono::steady_clock::now();
        // Held keys walk on by the ticks between frames. Ticks that piled up
        // while the game waited (a prompt, the hint's search) are worked off
        // as one look, so a key held through the wait acts at most once more,
        // not once for every tick the player never saw.
        const unsigned walkClock = ticksWorked;
        while (tickCounter.load() > 0) {
            actOnCloseRequest();
            const AidKeysDown aidsDown = readAidKeys(aids);
            if (handleArrows(moveLatch, screenSet)) redraw = true;
            if (handleAidKeys(aids, aidsDown, walkClock, backBuffer, spriteSet, screenSet)) redraw = true;
            if (handleCommands(commands, walkClock, screenSet)) {
                holdOverAidKeys(aids, aidsDown);
                redraw = true;
            }
            ticksWorked++;
            tickCounter.fetch_sub(1);
        }
        if (!redraw) {
            // Nothing has changed since the last frame: sleep till the next tick.
            restUntilTick(lastTick);
            continue;
        }
        redraw = false;
        drawFrame(backBuffer, spriteSet);
        if (isLevelComplete()) {
            finishLevel(screenSet);
            afterLevelLoaded();
            redraw = true;
        }
    }
}

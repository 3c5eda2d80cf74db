// Keys are examined once per 60 Hz tick, and a frame is drawn after the ticks
// that changed something: a game standing still draws nothing and sleeps
// until the next tick. Ticks that piled up while the game waited are worked
// off back to back before the next frame. A close of the window is acted on
// at the next tick.
#include "game/play_loop.h"

#include <allegro.h>

#include <chrono>
#include <memory>
#include <string>

#include "files/collection_level.h"
#include "files/level_file.h"
#include "files/saved_game.h"
#include "game/level_choice.h"
#include "game/library.h"
#include "game/play_aids.h"
#include "game/play_mouse.h"
#include "game/session.h"
#include "input/aid_keys.h"
#include "input/close_request.h"
#include "input/key_presses.h"
#include "input/mouse_input.h"
#include "input/ticks.h"
#include "rules/board.h"
#include "rules/completion.h"
#include "rules/history.h"
#include "rules/moves.h"
#include "view/board_notes.h"
#include "view/board_view.h"
#include "view/canvas.h"
#include "view/level_end.h"
#include "view/music.h"
#include "view/prompts.h"
#include "view/save_dialogs.h"
#include "view/sounds.h"

namespace {

// Held M changes the tune again at most this often: 24 ticks, 400 ms.
constexpr unsigned tuneRepeatTicks = 24;

bool anyArrowHeld() { return key[KEY_UP] || key[KEY_DOWN] || key[KEY_LEFT] || key[KEY_RIGHT]; }

// One press of an arrow makes at most one move: after a move the latch holds
// every arrow off until a tick in which none of them is down. A step that goes
// nowhere leaves the latch clear, so the figure keeps turning as keys change.
// True when the figure moved or turned.
bool handleArrows(bool& moveLatch) {
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
    const MoveResult moved = playMove(*direction);
    if (moved) {
        moveLatch = true;
        if (moved.outcome == MoveOutcome::pushed) playPushSound(media.screens);
        afterMove(moved.outcome == MoveOutcome::pushed);
        return true;
    }
    return board.player.facing != facing;
}

// An arrow held through an undo, a redo, a hint, a question or the file
// selector was pressed for the board as it was before: it does nothing until
// it has been let go, or it would make again a move just taken back.
void holdOverArrows(bool& moveLatch) {
    if (anyArrowHeld()) moveLatch = true;
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
    KeyLatch scale;
    KeyLatch choose;
};

void resetCommandKeys(CommandKeys& keys) {
    resetKeyLatch(keys.restart);
    resetKeyLatch(keys.save);
    resetKeyRepeat(keys.music);
    resetKeyLatch(keys.quit);
    resetKeyLatch(keys.scale);
    resetKeyLatch(keys.choose);
}

// What a tick's commands leave the loop to do.
enum class CommandOutcome { none, acted, leave };

// R: after yes, the spin and the level again from its file, the counters kept.
// A level that can no longer be read goes back to the menu.
bool restartLevel() {
    const std::string level = board.layout.currentLevelFile;
    spinScreen();
    return openLevel(level);
}

// L: the chooser over the collection of the level in play. A level picked
// there is played from its start; going back returns to the level as it was
// left, its moves and all, whatever a replay showed meanwhile.
void chooseAnotherLevel() {
    PlayedCollection* collection = collectionOfLevel(board.layout.currentLevelFile);
    if (!collection) return;
    const Board left = board;
    const std::unique_ptr<MoveHistory> leftMoves(new MoveHistory(history));
    std::string level;
    int number = 0;
    const int here = numberInCollection(*collection, board.layout.currentLevelFile);
    if (chooseLevel(*collection, here > 0 ? here : 1, level, number) && startLevel(level, number)) return;
    board = left;
    history = *leftMoves;
    resetBoardNotes();
    afterMove(true);
}

void saveGame() {
    std::string path;
    if (chooseSaveFile(path) && !saveGameFile(path, savedGameOfBoard())) showMessage("Unable to write file!");
}

// R, S, M, Esc, F5 and L, in that order. Acted when any of them did, which
// leaves something new on the screen; leave when play is over for now. Esc
// lets go of a box picked with the mouse before it asks anything.
CommandOutcome handleCommands(CommandKeys& keys, unsigned now) {
    const bool restartDown = key[KEY_R], saveDown = key[KEY_S], musicDown = key[KEY_M], quitDown = key[KEY_ESC];
    const bool chooseDown = key[KEY_L];
    const bool restart = keyPressed(keys.restart, restartDown);
    const bool save = keyPressed(keys.save, saveDown);
    const bool music = keyPressedOrRepeated(keys.music, musicDown, now, tuneRepeatTicks, tuneRepeatTicks);
    const bool quit = keyPressed(keys.quit, quitDown);
    const bool scale = keyPressed(keys.scale, key[KEY_F5]);
    const bool choose = keyPressed(keys.choose, chooseDown);
    if (restart && askRestart() && !restartLevel()) return CommandOutcome::leave;
    if (save) saveGame();
    if (music) playRandomMusic();
    if (quit && boardNotes.boxPicked) {
        dropPickedBox();
    } else if (quit && askQuit()) {
        // The level left is where Continue takes the player back to.
        keepProgress();
        return CommandOutcome::leave;
    }
    if (scale) stepWindowScale();
    if (choose) chooseAnotherLevel();
    if (!(restart || save || music || quit || scale || choose)) return CommandOutcome::none;
    if (!restartDown) holdOver(keys.restart, key[KEY_R]);
    if (!saveDown) holdOver(keys.save, key[KEY_S]);
    if (!musicDown) holdOver(keys.music, key[KEY_M]);
    if (!quitDown) holdOver(keys.quit, key[KEY_ESC]);
    if (!chooseDown) holdOver(keys.choose, key[KEY_L]);
    return CommandOutcome::acted;
}

// A won level: the next one of the chain after the won screen, or the closing
// screen after the last. The counters run on; only the level number rises.
// The player now stands at the start of the next level: it is kept before
// the wait, so a window closed on this screen loses nothing. A next level that
// cannot be opened is not kept. False when play is over: the set is finished,
// or the next level cannot be read.
bool goOnAfterWin() {
    recordWin(board.layout.currentLevelFile, movesFromTheStart());
    levelInPlay = false;
    if (board.layout.nextLevelFile == "lastlevel") {
        // The autosave keeps the set's last level as it was last kept.
        showSetFinished();
        return false;
    }
    const int32_t won = board.levelNumber;
    const std::string next = resolveLevelName(board.layout.nextLevelFile, board.layout.currentLevelFile);
    // A level of a collection is numbered as it stands in the collection.
    // Otherwise a level number can only come from play or a saved game; it
    // wraps as it counts rather than overflowing.
    std::string collection;
    int number = 0;
    board.levelNumber = isCollectionLevelName(next, collection, number) ? int32_t(number)
                                                                      : int32_t(uint32_t(board.levelNumber) + 1u);
    if (canOpenLevel(next)) keepProgress({next, board.levelNumber, board.stepsTaken, board.timesPushed});
    showLevelWon(won, board.levelNumber);
    if (!openLevel(next)) return false;
    levelInPlay = true;
    return true;
}

}  // namespace

void runPlayLoop() {
    bool moveLatch = false;
    CommandKeys commands;
    resetCommandKeys(commands);
    AidKeys aids;
    resetAidKeys(aids);
    // Keys down as play begins were pressed for the menu or the selector.
    holdOverArrows(moveLatch);
    holdOver(commands.restart, key[KEY_R]);
    holdOver(commands.save, key[KEY_S]);
    holdOver(commands.music, key[KEY_M]);
    holdOver(commands.quit, key[KEY_ESC]);
    holdOver(commands.scale, key[KEY_F5]);
    holdOver(commands.choose, key[KEY_L]);
    holdOverAidKeys(aids, AidKeysDown{false, false, false});
    MousePlay mouse;
    resetMousePlay(mouse);
    unsigned ticksWorked = 0;  // the clock held M, U and Shift+U are timed by
    auto lastTick = std::chrono::steady_clock::now();
    bool redraw = true;
    bool present = false;  // only the pointer moved: the same frame again
    for (;;) {
        if (tickCounter.load() > 0) lastTick = std::chrono::steady_clock::now();
        // Held keys walk on by the ticks between frames. Ticks that piled up
        // while the game waited (a prompt, the hint's search) are worked off
        // as one look, so a key held through the wait acts at most once more,
        // not once for every tick the player never saw.
        const unsigned walkClock = ticksWorked;
        // A walk or a drag makes at most one move a frame, so each is seen.
        bool walked = false;
        while (tickCounter.load() > 0) {
            actOnCloseRequest();
            if (lookAtPointer()) present = true;
            if (handleMouse(mouse, ticksWorked, moveLatch)) redraw = true;
            if (!walked && walkOn(mouse, ticksWorked, moveLatch)) redraw = walked = true;
            const AidKeysDown aidsDown = readAidKeys(aids);
            if (handleArrows(moveLatch)) redraw = true;
            if (actOnAidKeys(pressedAidKeys(aids, aidsDown, walkClock))) {
                holdOverArrows(moveLatch);
                redraw = true;
            }
            const CommandOutcome outcome = handleCommands(commands, walkClock);
            if (outcome == CommandOutcome::leave) return;
            if (outcome == CommandOutcome::acted) {
                // A question or the file selector came between: the mouse
                // starts afresh, with no walk under way.
                resetMousePlay(mouse);
                holdOverAidKeys(aids, aidsDown);
                holdOverArrows(moveLatch);
                redraw = true;
            }
            ticksWorked++;
            tickCounter.fetch_sub(1);
        }
        if (!redraw) {
            // The pointer moved over a picture that stays as it is.
            if (present) presentCanvas();
            present = false;
            // Nothing has changed since the last frame: sleep till the next tick.
            restUntilTick(lastTick);
            continue;
        }
        redraw = present = false;
        drawFrame(canvas, media.sprites);
        if (isLevelComplete()) {
            stopMouseMoves(mouse);
            if (!goOnAfterWin()) return;
            resetMousePlay(mouse);
            redraw = true;
        }
    }
}

// Clicks become moves. Every move goes through the same way as a typed
// arrow: the history's playMove, the push sound, afterMove for the hint and
// the warning, and the arrows' latch.
#include "game/play_mouse.h"

#include <allegro.h>

#include <algorithm>

#include "game/play_aids.h"
#include "game/session.h"
#include "rules/history.h"
#include "rules/moves.h"
#include "solve/mouse_paths.h"
#include "view/board_notes.h"
#include "view/board_view.h"
#include "view/sounds.h"

namespace {

// A walk or a drag goes at about fifteen cells a second: a move every four ticks.
constexpr unsigned ticksPerMove = 4;

static_assert(sizeof(MousePlay::keysDown) / sizeof(bool) >= KEY_MAX, "a flag for every key");

// True when a key went down since the last look.
bool keyWentDown(MousePlay& play) {
    bool wentDown = false;
    for (int scancode = 1; scancode < KEY_MAX; scancode++) {
        const bool down = key[scancode] != 0;
        if (down && !play.keysDown[scancode]) wentDown = true;
        play.keysDown[scancode] = down;
    }
    return wentDown;
}

void startMoves(MousePlay& play, const std::string& moves, unsigned now) {
    play.moves = moves;
    play.nextMoveAt = now;
}

// One move of a walk or a drag, as a typed arrow makes it. False when it was
// blocked after all, which ends the walk.
bool makeMove(char letter, bool& moveLatch) {
    const MoveResult moved = playMove(directionOf(letter));
    if (!moved) return false;
    moveLatch = true;
    if (moved.outcome == MoveOutcome::pushed) playPushSound(media.screens);
    afterMove(moved.outcome == MoveOutcome::pushed);
    return true;
}

bool isAmong(const std::vector<GridPos>& cells, int32_t column, int32_t row) {
    return std::any_of(cells.begin(), cells.end(), [&](const GridPos& cell) { return cell.x == column && cell.y == row; });
}

// A left click on the board at the pointer. True when the marks changed.
bool clickAt(MousePlay& play, unsigned now) {
    int32_t column = 0, row = 0;
    const bool onBoard = cellAtPixel(pointer.x, pointer.y, column, row);
    const bool picked = boardNotes.boxPicked;
    const int pickedSlot = boardNotes.pickedSlot;
    const std::vector<GridPos> pushCells = boardNotes.pushCells;
    dropPickedBox();
    if (!onBoard) return picked;
    const int box = boxAt(column, row);
    if (box >= 0) {
        // The picked box clicked again is let go.
        if (picked && box == pickedSlot) return true;
        boardNotes.boxPicked = true;
        boardNotes.pickedSlot = box;
        boardNotes.pushCells = pushDestinations(box);
        return true;
    }
    if (picked) {
        if (isAmong(pushCells, column, row)) {
            const MousePath path = pushPath(pickedSlot, column, row);
            if (path.outcome == PathOutcome::found) startMoves(play, path.moves, now);
        }
        return true;
    }
    const MousePath path = walkPath(column, row);
    if (path.outcome == PathOutcome::found) startMoves(play, path.moves, now);
    return false;
}

}  // namespace

void resetMousePlay(MousePlay& play) {
    holdOverMouse(play.watch);
    play.moves.clear();
    play.nextMoveAt = 0;
    for (bool& down : play.keysDown) down = false;
    keyWentDown(play);
}

void stopMouseMoves(MousePlay& play) { play.moves.clear(); }

bool mouseMovesUnderWay(const MousePlay& play) { return !play.moves.empty(); }

bool handleMouse(MousePlay& play, unsigned now, bool& moveLatch) {
    const MouseEvents events = readMouse(play.watch);
    const bool keyDown = keyWentDown(play);
    if (mouseMovesUnderWay(play) && (events.leftClick || events.rightClick || events.wheelUp || keyDown)) {
        // What stops a walk does nothing more; a key goes on to do what it does.
        stopMouseMoves(play);
        return false;
    }
    bool changed = false;
    if (events.leftClick) changed |= clickAt(play, now);
    if (events.rightClick) changed |= actOnAidKeys({true, false, false});
    for (int notch = 0; notch < events.wheelUp; notch++) changed |= actOnAidKeys({true, false, false});
    for (int notch = 0; notch > events.wheelUp; notch--) changed |= actOnAidKeys({false, true, false});
    if (events.rightClick || events.wheelUp) {
        // An arrow held through a move taken back does nothing, as after U.
        if (key[KEY_UP] || key[KEY_DOWN] || key[KEY_LEFT] || key[KEY_RIGHT]) moveLatch = true;
    }
    return changed;
}

bool walkOn(MousePlay& play, unsigned now, bool& moveLatch) {
    if (play.moves.empty() || int32_t(now - play.nextMoveAt) < 0) return false;
    const char letter = play.moves.front();
    play.moves.erase(0, 1);
    if (!makeMove(letter, moveLatch)) play.moves.clear();
    play.nextMoveAt = now + ticksPerMove;
    return true;
}

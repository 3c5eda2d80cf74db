// Undo, redo and the hint in play. The hint's search runs on the main thread
// for up to two seconds; "Thinking..." is drawn if it takes longer than a
// moment, and the ticks that pile up meanwhile are worked off afterwards, as
// after a prompt.
#include "shell/play_aids.h"

#include "rules/history.h"
#include "solve/hint.h"
#include "solve/lost_position.h"
#include "view/board_notes.h"
#include "view/board_view.h"

namespace {

constexpr unsigned walkBackDelayTicks = 24;  // 400 ms
constexpr unsigned walkBackTicks = 6;        // then ten a second

// A move taken back or made again is to the notes what a move is. True when
// there was one.
bool afterHistoryStep(HistoryStep step) {
    if (step == HistoryStep::none) return false;
    afterMove(step == HistoryStep::push);
    return true;
}

void showHint(BITMAP* backBuffer, DATAFILE* spriteSet) {
    boardNotes.hintShown = false;
    Hint hint = findHint(HintLimits(), [&] {
        boardNotes.note = PanelNote::thinking;
        drawFrame(backBuffer, spriteSet);
    });
    switch (hint.outcome) {
        case HintOutcome::found:
            boardNotes.hintShown = true;
            boardNotes.hintX = hint.boxX;
            boardNotes.hintY = hint.boxY;
            boardNotes.hintWay = hint.way;
            boardNotes.note = PanelNote::hint;
            break;
        case HintOutcome::lost:
            boardNotes.note = PanelNote::noWayToWin;
            break;
        case HintOutcome::notFound:
            boardNotes.note = PanelNote::noHintInTime;
            break;
    }
}

}  // namespace

void resetAidKeys(AidKeys& keys) {
    resetKeyRepeat(keys.undo);
    resetKeyRepeat(keys.redo);
    resetKeyLatch(keys.hint);
    keys.uDown = false;
    keys.uRedoes = false;
}

AidKeysDown readAidKeys(AidKeys& keys) {
    const bool shift = key_shifts & KB_SHIFT_FLAG, ctrl = key_shifts & KB_CTRL_FLAG;
    const bool uDown = key[KEY_U];
    if (uDown && !keys.uDown) keys.uRedoes = shift;
    keys.uDown = uDown;
    return {(uDown && !keys.uRedoes) || key[KEY_BACKSPACE], (uDown && keys.uRedoes) || (key[KEY_Y] && ctrl),
            bool(key[KEY_H])};
}

bool handleAidKeys(AidKeys& keys, const AidKeysDown& down, unsigned now, BITMAP* backBuffer, DATAFILE* spriteSet,
                   DATAFILE* screenSet) {
    bool changed = false;
    if (keyPressedOrRepeated(keys.undo, down.undo, now, walkBackDelayTicks, walkBackTicks)) {
        changed |= afterHistoryStep(undoMove());
    }
    if (keyPressedOrRepeated(keys.redo, down.redo, now, walkBackDelayTicks, walkBackTicks)) {
        changed |= afterHistoryStep(redoMove(screenSet));
    }
    if (keyPressed(keys.hint, down.hint)) {
        showHint(backBuffer, spriteSet);
        changed = true;
    }
    return changed;
}

void holdOverAidKeys(AidKeys& keys, const AidKeysDown& before) {
    const AidKeysDown now = readAidKeys(keys);
    if (!before.undo) holdOver(keys.undo, now.undo);
    if (!before.redo) holdOver(keys.redo, now.redo);
    if (!before.hint) holdOver(keys.hint, now.hint);
}

// The board changed under the notes: the hint's mark is stale, and only the
// warning outlives it, tested again when boxes moved.
void afterMove(bool pushed) {
    boardNotes.hintShown = false;
    if (pushed) {
        boardNotes.note = isPositionLost() ? PanelNote::lost : PanelNote::none;
    } else if (boardNotes.note != PanelNote::lost) {
        boardNotes.note = PanelNote::none;
    }
}

void afterLevelLoaded() { resetBoardNotes(); }

// Undo, redo and the hint in play. The hint's search runs on the main thread
// for up to two seconds; "Thinking..." is drawn if it takes longer than a
// moment, a close of the window ends the game from inside it, and the ticks
// that pile up meanwhile are worked off afterwards, as after a prompt.
#include "game/play_aids.h"

#include "game/session.h"
#include "input/close_request.h"
#include "rules/history.h"
#include "solve/hint.h"
#include "solve/lost_position.h"
#include "view/board_notes.h"
#include "view/board_view.h"
#include "view/canvas.h"
#include "view/sounds.h"

namespace {

// A move taken back or made again is to the notes what a move is. True when
// there was one.
bool afterHistoryStep(HistoryStep step) {
    if (step == HistoryStep::none) return false;
    afterMove(step == HistoryStep::push);
    return true;
}

void showHint() {
    boardNotes.hintShown = false;
    Hint hint = findHint(
        HintLimits(),
        [] {
            boardNotes.note = PanelNote::thinking;
            drawFrame(canvas, media.sprites);
        },
        actOnCloseRequest);
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

bool actOnAidKeys(const AidPresses& presses) {
    bool changed = false;
    if (presses.undo) changed |= afterHistoryStep(undoMove());
    if (presses.redo) {
        const HistoryStep step = redoMove();
        if (step == HistoryStep::push) playPushSound(media.screens);
        changed |= afterHistoryStep(step);
    }
    if (presses.hint) {
        showHint();
        changed = true;
    }
    return changed;
}

// The board changed under the notes: the hint's mark and the box picked with
// the mouse are stale, and only the warning outlives them, tested again when
// boxes moved.
void afterMove(bool pushed) {
    boardNotes.hintShown = false;
    dropPickedBox();
    if (pushed) {
        boardNotes.note = isPositionLost() ? PanelNote::lost : PanelNote::none;
    } else if (boardNotes.note != PanelNote::lost) {
        boardNotes.note = PanelNote::none;
    }
}

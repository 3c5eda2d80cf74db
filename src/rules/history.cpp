// The history of moves on the level being played. Undo works backwards from
// the player's cell, so a record needs no coordinates; redo goes through the
// game's own move, so counters and rules are the game's.
#include "rules/history.h"

#include "rules/board.h"

MoveHistory history;

namespace {

MoveRecord& recordAt(uint64_t number) { return history.moves[number % historyMoves]; }

}  // namespace

void resetHistory() {
    history.oldest = 0;
    history.now = 0;
    history.newest = 0;
}

MoveResult playMove(const Direction& direction) {
    MoveRecord record = {uint8_t(wayNumber(direction.facing)), board.player.facing, noBoxMoved};
    const MoveResult result = tryMove(direction);
    if (!result) return result;
    if (result.outcome == MoveOutcome::pushed) record.box = uint16_t(result.box);
    recordAt(history.now) = record;
    history.now++;
    history.newest = history.now;
    if (history.now - history.oldest > historyMoves) history.oldest = history.now - historyMoves;
    return result;
}

HistoryStep undoMove() {
    if (history.now == history.oldest) return HistoryStep::none;
    history.now--;
    const MoveRecord& record = recordAt(history.now);
    const Direction& direction = *moveWays[record.way];
    // The counters are unsigned: a count that wrapped round on the move
    // wraps back.
    const bool pushed = record.box != noBoxMoved;
    if (pushed) {
        board.boxes[record.box].x -= direction.dx;
        board.boxes[record.box].y -= direction.dy;
        board.timesPushed--;
    }
    board.player.x -= direction.dx;
    board.player.y -= direction.dy;
    board.player.facing = record.facingBefore;
    board.stepsTaken--;
    return pushed ? HistoryStep::push : HistoryStep::step;
}

HistoryStep redoMove() {
    if (history.now == history.newest) return HistoryStep::none;
    const MoveRecord record = recordAt(history.now);
    // Between an undo and a redo the figure can only turn, so the move
    // goes as it went; should it not, nothing is left to make again.
    if (!tryMove(*moveWays[record.way])) {
        history.newest = history.now;
        return HistoryStep::none;
    }
    history.now++;
    return record.box != noBoxMoved ? HistoryStep::push : HistoryStep::step;
}

std::string movesFromTheStart() {
    if (history.oldest != 0) return std::string();
    static const char steps[4] = {'u', 'd', 'l', 'r'}, pushes[4] = {'U', 'D', 'L', 'R'};
    std::string letters;
    letters.reserve(size_t(history.now));
    for (uint64_t number = 0; number < history.now; number++) {
        const MoveRecord& record = recordAt(number);
        letters += record.box != noBoxMoved ? pushes[record.way & 3] : steps[record.way & 3];
    }
    return letters;
}

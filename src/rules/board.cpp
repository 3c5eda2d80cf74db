// The one Board of the process and the resets that give its records their
// sentinel values.
#include "rules/board.h"

namespace {

// The Board before any level: a level file's slots, all at (0, 0), and level 1.
Board boardBeforeAnyLevel() {
    Board empty{};
    empty.boxes.assign(boxSlots, GridPos{0, 0});
    empty.targets.assign(targetSlots, GridPos{0, 0});
    empty.walls.assign(wallSlots, WallPos{0, 0, 0});
    empty.player = {0, 0, 0, 0, 0};
    empty.levelNumber = 1;
    empty.columns = boardColumns;
    empty.rows = boardRows;
    return empty;
}

}  // namespace

Board board = boardBeforeAnyLevel();

void resetGridPos(GridPos& slot) {
    slot.x = unusedSlot;
    slot.y = unusedSlot;
}

void resetWallPos(WallPos& slot) {
    slot.x = unusedSlot;
    slot.y = unusedSlot;
    slot.spare = 0;
}

void resetPlayer(PlayerState& player) {
    player.x = 0;
    player.y = 0;
    player.startX = 0;
    player.startY = 0;
    player.facing = 'd';
}

void resetBoard() { resetBoardFor(wallSlots, boxSlots, targetSlots, boardColumns, boardRows); }

void resetBoardFor(int walls, int boxes, int targets, int32_t columns, int32_t rows) {
    resetPlayer(board.player);
    board.walls.resize(size_t(walls));
    board.boxes.resize(size_t(boxes));
    board.targets.resize(size_t(targets));
    for (WallPos& wall : board.walls) resetWallPos(wall);
    for (GridPos& box : board.boxes) resetGridPos(box);
    for (GridPos& target : board.targets) resetGridPos(target);
    board.columns = columns;
    board.rows = rows;
}

void clearLayout() {
    for (int i = 0; i < floorCells; i++) board.layout.floor[i] = 0;
    board.layout.currentLevelFile.clear();
    board.layout.nextLevelFile.clear();
}

void fillFloor() {
    for (int i = 0; i < floorCells; i++) board.layout.floor[i] = 1;
}

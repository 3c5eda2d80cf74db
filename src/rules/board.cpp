// The one Board of the process and the resets that give its records their
// sentinel values.
#include "rules/board.h"

Board board = {{{0}, std::string(), std::string()}, {}, {0, 0, 0, 0, 0}, {}, {}, 1, 0, 0, 0, {}};

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

void resetBoard() {
    resetPlayer(board.player);
    for (int i = 0; i < wallSlots; i++) resetWallPos(board.walls[i]);
    for (int i = 0; i < boxSlots; i++) resetGridPos(board.boxes[i]);
    for (int i = 0; i < targetSlots; i++) resetGridPos(board.targets[i]);
}

void clearLayout() {
    for (int i = 0; i < floorCells; i++) board.layout.floor[i] = 0;
    board.layout.currentLevelFile.clear();
    board.layout.nextLevelFile.clear();
}

void fillFloor() {
    for (int i = 0; i < floorCells; i++) board.layout.floor[i] = 1;
}

// The rule of play: walls stop the player, a box moves one cell when the cell
// beyond it holds neither a wall nor another box, and nothing is ever pulled.
#include "rules/moves.h"

#include <cstdint>

#include "rules/board.h"

const Direction moveUp = {0, -1, 'u'};
const Direction moveDown = {0, 1, 'd'};
const Direction moveLeft = {-1, 0, 'l'};
const Direction moveRight = {1, 0, 'r'};
const Direction* const moveWays[4] = {&moveUp, &moveDown, &moveLeft, &moveRight};

int wayNumber(char letter) {
    switch (letter) {
        case 'u': case 'U': return 0;
        case 'd': case 'D': return 1;
        case 'l': case 'L': return 2;
        default: return 3;
    }
}

const Direction& directionOf(char letter) { return *moveWays[wayNumber(letter)]; }

int boxAt(int64_t x, int64_t y) {
    const int slots = int(board.boxes.size());
    for (int i = 0; i < slots; i++) {
        if (board.boxes[i].x == x && board.boxes[i].y == y) return i;
    }
    return -1;
}

namespace {

// Coordinates are stored as the level file gives them, so a position can sit
// at the very edge of the 32-bit range. The neighbour is worked out in 64 bits;
// one that would leave the 32-bit range is no cell at all, and the edge of the
// range stops the player and the boxes as a wall would.
struct Neighbour {
    int64_t x;
    int64_t y;
};

Neighbour neighbourOf(int32_t x, int32_t y, const Direction& direction) {
    return {int64_t(x) + direction.dx, int64_t(y) + direction.dy};
}

bool isOutsideCoordinates(const Neighbour& cell) {
    return cell.x < INT32_MIN || cell.x > INT32_MAX || cell.y < INT32_MIN || cell.y > INT32_MAX;
}

bool isWallAt(const Neighbour& cell) {
    if (isOutsideCoordinates(cell)) return true;
    for (const WallPos& wall : board.walls) {
        if (wall.x == cell.x && wall.y == cell.y) return true;
    }
    return false;
}

int boxAt(const Neighbour& cell) { return ::boxAt(cell.x, cell.y); }

}  // namespace

bool isPlayerBlocked(const Direction& direction) {
    return isWallAt(neighbourOf(board.player.x, board.player.y, direction));
}

bool isBoxBlockedByWall(int box, const Direction& direction) {
    return isWallAt(neighbourOf(board.boxes[box].x, board.boxes[box].y, direction));
}

bool isBoxBlockedByBox(int box, const Direction& direction) {
    Neighbour beyond = neighbourOf(board.boxes[box].x, board.boxes[box].y, direction);
    if (isOutsideCoordinates(beyond)) return true;
    return boxAt(beyond) >= 0;
}

int boxInFront(const Direction& direction) {
    return boxAt(neighbourOf(board.player.x, board.player.y, direction));
}

MoveResult tryMove(const Direction& direction) {
    // The figure turns towards every attempt, even one that goes nowhere.
    board.player.facing = direction.facing;
    if (isPlayerBlocked(direction)) return {MoveOutcome::blocked, -1};
    int box = boxInFront(direction);
    if (box >= 0) {
        // Only the first box on the cell is tried; the wall test comes first.
        if (isBoxBlockedByWall(box, direction) || isBoxBlockedByBox(box, direction)) {
            return {MoveOutcome::blocked, -1};
        }
        board.boxes[box].x += direction.dx;
        board.boxes[box].y += direction.dy;
        board.timesPushed++;
    }
    board.player.x += direction.dx;
    board.player.y += direction.dy;
    board.stepsTaken++;
    return {box >= 0 ? MoveOutcome::pushed : MoveOutcome::stepped, box};
}

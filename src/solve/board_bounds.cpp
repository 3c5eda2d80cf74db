#include "solve/board_bounds.h"

#include <algorithm>

BoardBounds boundsOfBoard(const std::vector<GridPos>& also, int64_t wallReach) {
    BoardBounds b{board.player.x, board.player.x, board.player.y, board.player.y};
    auto include = [&](int64_t x, int64_t y) {
        b.minX = std::min(b.minX, x);
        b.maxX = std::max(b.maxX, x);
        b.minY = std::min(b.minY, y);
        b.maxY = std::max(b.maxY, y);
    };
    for (const GridPos& box : board.boxes) include(box.x, box.y);
    for (const GridPos& cell : also) include(cell.x, cell.y);
    const int64_t nearMinX = b.minX - wallReach, nearMaxX = b.maxX + wallReach;
    const int64_t nearMinY = b.minY - wallReach, nearMaxY = b.maxY + wallReach;
    for (const WallPos& wall : board.walls) {
        if (wall.x >= nearMinX && wall.x <= nearMaxX && wall.y >= nearMinY && wall.y <= nearMaxY) {
            include(wall.x, wall.y);
        }
    }
    return b;
}

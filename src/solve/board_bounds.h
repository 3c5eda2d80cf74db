// The part of the Board's endless grid that a search needs to look at.
#pragma once

#include <cstdint>
#include <vector>

#include "rules/board.h"

struct BoardBounds {
    int64_t minX = 0, maxX = 0, minY = 0, maxY = 0;
};

// The smallest rectangle round the player, every box, the cells in `also`,
// and the walls within `wallReach` cells of all those.
BoardBounds boundsOfBoard(const std::vector<GridPos>& also, int64_t wallReach);

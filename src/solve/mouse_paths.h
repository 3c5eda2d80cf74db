// Where a click of the mouse can send the player: the shortest walk to a
// cell, the cells a box can be pushed to, and the moves that push it there.
// All three read the Board with the game's own rules and leave it as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/board.h"

enum class PathOutcome { found, alreadyThere, unreachable };

struct MousePath {
    PathOutcome outcome = PathOutcome::unreachable;
    // Steps 'u', 'd', 'l', 'r' and pushes 'U', 'D', 'L', 'R', in the order to
    // play them; empty unless the outcome is found.
    std::string moves;
};

// The fewest steps that take the player to the cell without pushing any box.
MousePath walkPath(int64_t targetX, int64_t targetY);

// Every cell the box in the slot can be brought to by pushing it alone, the
// other boxes standing where they are and the player walking round between
// pushes; sorted by row, then column, and without the cell it stands on.
// Where no walls close the board in, a box is followed only one cell past
// everything else on it.
std::vector<GridPos> pushDestinations(int boxSlot);

// The moves that bring the box in the slot to the cell by the fewest pushes,
// and by the fewest steps among those. A box that shares its cell with
// another, or stands inside a wall, is never moved.
MousePath pushPath(int boxSlot, int64_t targetX, int64_t targetY);

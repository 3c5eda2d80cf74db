// Making levels: rooms built from rectangles and straight wall runs, tidied
// until every cell of floor serves the puzzle, and boxes pulled back from
// their targets to a position that needs a known number of pushes.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// The one random source of a run of the generator. Numbers are taken from
// the engine's own output, never through the library's distributions, so a
// seed makes the same levels with any standard library.
using Dice = std::mt19937;

// A whole number from 0 to count - 1.
int roll(Dice& dice, int count);

// A room on a rectangle of cells, row by row, its outer ring always wall.
struct Room {
    int width = 0, height = 0;
    std::vector<uint8_t> wall;   // 1 wall, 0 floor
    int step[4] = {0, 0, 0, 0};  // up, down, left, right

    void reset(int columns, int rows);  // all wall
    bool isFloor(int cell) const { return wall[cell] == 0; }
    int floorCount() const;
};

// A level as the generator makes it: a room, targets, the boxes where the
// pulling left them and the player's start.
struct Yard {
    Room room;
    std::vector<int> targets;
    std::vector<int> boxes;
    int player = 0;
};

// A room of the given outer size: a few overlapping rectangles of floor, some
// of them one cell wide like corridors, and a few straight runs of wall
// standing in the floor. Dead ends and floor cut off from the rest are
// already walled up.
Room buildRoom(Dice& dice, int width, int height);

// Walls up, until none is left, every floor cell that serves nothing: a dead
// end, a cell no box can ever stand on that the player needs neither to push
// from nor to get past, and floor cut off from the player. Cells in `keep`
// (targets) stay floor.
void tidyRoom(Room& room, const std::vector<int>& keep);

// What keeps a made level from looking built, in a few words each: floor the
// player cannot reach, dead ends, floor that serves nothing, non-wall cells
// enclosed by walls or left as gaps in a run of wall, a box that stays on its
// target in a dead end, a ragged outline. Empty when the level is fine.
std::vector<std::string> yardFaults(const Yard& yard);

// Pulls the boxes back from the targets breadth first, so that the positions
// met at depth d need exactly d pushes to win, and keeps the deepest position
// no deeper than `mostPushes`, the one with fewest boxes still on targets.
// Gives up after `budget` positions; false when nothing at least
// `fewestPushes` deep was reached.
bool pullBack(Yard& yard, int fewestPushes, int mostPushes, size_t budget, Dice& dice);

// For positions deeper than breadth-first pulling can reach: pulls the boxes
// off their targets best first, always from the position found so far whose
// boxes stand furthest from the targets (counted in pushes of each box alone,
// which the fewest pushes can only exceed), until `positions` are found or
// one stands `mostPushes` away. Keeps the furthest, never past `mostPushes`.
// The fewest pushes are left for the solver.
void pullAway(Yard& yard, int positions, int mostPushes, Dice& dice);

// The level in the text notation, walls drawn only where they touch floor.
std::vector<std::string> yardPicture(const Yard& yard);

// The same picture for every turn and mirror image of a level, so that two
// levels alike but for their orientation are found to be one.
std::string sameShapeKey(const std::vector<std::string>& picture);

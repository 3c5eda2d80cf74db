// Levels as text: the common notation of box-pushing collections ('#' wall,
// '@' player, '$' box, '.' target and so on) fitted into the game's level
// files and written back out of them. The game's files layer reads the
// collections (files/collection_file.h).
#pragma once

#include <string>
#include <vector>

#include "rules/board.h"

// A level fitted into the 20 x 13 grid, its slots in reading order.
struct PlacedLevel {
    std::vector<GridPos> walls;
    std::vector<GridPos> boxes;
    std::vector<GridPos> targets;
    GridPos player = {unusedSlot, unusedSlot};
};

// Fits the level, drawn row by row, into the grid, centred, so no target can
// fall in column 0. Returns why the level cannot be played in this game, or ""
// when it fits.
std::string placeLevel(const std::vector<std::string>& rows, PlacedLevel& placed);

// The 930 tokens of a level file for a placed level, with boxesToPlace equal
// to its number of boxes and every unused slot -1 -1.
std::string levelFileText(const PlacedLevel& level, const std::string& ownName, const std::string& nextName);

// Draws the level held in the Board in the notation, trimmed to the cells
// that hold something. What the notation cannot carry (objects off the grid,
// two things of a kind on one cell, boxesToPlace other than the number of
// boxes) is described in `lost`.
std::vector<std::string> pictureOfBoard(std::vector<std::string>& lost);

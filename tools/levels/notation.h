// Levels as text: the common notation of box-pushing collections ('#' wall,
// '@' player, '$' box, '.' target and so on), read into the game's level
// files and written back out of them.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "rules/board.h"

// One level found in a collection, its rows spelled out cell by cell: run
// lengths expanded, '|' split into rows, every kind of floor written ' '.
struct CollectionLevel {
    std::vector<std::string> rows;
    int ordinal = 0;    // 1 for the first level of the collection
    int firstLine = 0;  // the collection's line where the level's first row stands
    std::string title;  // from a "Title:" line, or the line of text just above
};

// A level fitted into the 20 x 13 grid, its slots in reading order.
struct PlacedLevel {
    std::vector<GridPos> walls;
    std::vector<GridPos> boxes;
    std::vector<GridPos> targets;
    GridPos player = {unusedSlot, unusedSlot};
};

// Every level of a collection, in order. Runs of board lines make a level;
// blank lines and lines of any other text (titles, comments) separate them.
std::vector<CollectionLevel> readCollection(std::istream& in);

// "level 3 "Title" (line 40)": how messages name a level of a collection.
std::string describeLevel(const CollectionLevel& level);

// Fits the level into the grid, centred, so no target can fall in column 0.
// Returns why the level cannot be played in this game, or "" when it fits.
std::string placeLevel(const std::vector<std::string>& rows, PlacedLevel& placed);

// The 930 tokens of a level file for a placed level, with boxesToPlace equal
// to its number of boxes and every unused slot -1 -1.
std::string levelFileText(const PlacedLevel& level, const std::string& ownName, const std::string& nextName);

// Draws the level held in the Board in the notation, trimmed to the cells
// that hold something. What the notation cannot carry (objects off the grid,
// two things of a kind on one cell, boxesToPlace other than the number of
// boxes) is described in `lost`.
std::vector<std::string> pictureOfBoard(std::vector<std::string>& lost);

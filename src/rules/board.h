// The puzzle being played: one process-wide Board that the rules, the file
// readers and the drawing all read and write directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The grid a level file is drawn on, and the slots a level file holds: a
// level file always fills exactly these, unused slots and all, in this order.
constexpr int boardColumns = 20;
constexpr int boardRows = 13;
constexpr int floorCells = boardColumns * boardRows;
constexpr int boxSlots = 100;
constexpr int targetSlots = 100;
constexpr int wallSlots = 260;
constexpr int32_t unusedSlot = -1;  // both coordinates of a free slot

struct GridPos {
    int32_t x;
    int32_t y;
};

struct WallPos {
    int32_t x;
    int32_t y;
    int32_t spare;  // kept for the record's shape; nothing reads it
};

struct PlayerState {
    int32_t x;
    int32_t y;
    int32_t startX;
    int32_t startY;
    char facing;  // 'u', 'd', 'l' or 'r': the way the player last tried to go
};

struct LevelLayout {
    int32_t floor[floorCells];  // column by column: cell (x, y) is x * boardRows + y
    std::string currentLevelFile;
    std::string nextLevelFile;
};

// The six integers that open a level file; only the fifth, boxesToPlace,
// means anything to the game. The others are kept as read.
constexpr int headerValues = 6;
constexpr int boxesToPlaceHeader = 4;

// The slots are walked in index order, so the first match always wins. A
// level file's level has exactly boxSlots, targetSlots and wallSlots of them
// on the 20 x 13 grid; a level of a collection has one slot for each thing it
// holds, on a grid of its own size.
struct Board {
    LevelLayout layout;
    std::vector<GridPos> boxes;
    PlayerState player;
    std::vector<GridPos> targets;
    std::vector<WallPos> walls;
    int32_t levelNumber;
    uint32_t stepsTaken;
    uint32_t timesPushed;
    int32_t boxesToPlace;
    int32_t unusedHeader[headerValues];  // slot boxesToPlaceHeader stays 0
    // The grid the level is drawn on, in cells from (0, 0): boardColumns by
    // boardRows, or larger for a large level of a collection.
    int32_t columns;
    int32_t rows;
};

extern Board board;

void resetGridPos(GridPos& slot);
void resetWallPos(WallPos& slot);
void resetPlayer(PlayerState& player);

// Player back to (0, 0) facing down, then the slots of a level file, every
// one freed, on the 20 x 13 grid. The layout, boxesToPlace and the counters
// are left alone.
void resetBoard();
// The same, with exactly the slots a level of a collection needs, on a grid
// of the given size.
void resetBoardFor(int walls, int boxes, int targets, int32_t columns, int32_t rows);
// Every floor cell to 0 and both level names emptied.
void clearLayout();
// Every floor cell to 1; the names are left alone.
void fillFloor();

inline int32_t& floorCell(int column, int row) { return board.layout.floor[column * boardRows + row]; }

inline bool operator==(const GridPos& a, const GridPos& b) { return a.x == b.x && a.y == b.y; }
inline bool operator==(const WallPos& a, const WallPos& b) { return a.x == b.x && a.y == b.y && a.spare == b.spare; }

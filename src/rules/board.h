// The puzzle being played: one process-wide Board that the rules, the file
// readers and the drawing all read and write directly.
#pragma once

#include <cstdint>
#include <string>

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

struct Board {
    LevelLayout layout;
    GridPos boxes[boxSlots];
    PlayerState player;
    GridPos targets[targetSlots];
    WallPos walls[wallSlots];
    int32_t levelNumber;
    uint32_t stepsTaken;
    uint32_t timesPushed;
    int32_t boxesToPlace;
    int32_t unusedHeader[headerValues];  // slot boxesToPlaceHeader stays 0
};

extern Board board;

void resetGridPos(GridPos& slot);
void resetWallPos(WallPos& slot);
void resetPlayer(PlayerState& player);

// Player back to (0, 0) facing down, then every wall, box and target slot freed.
// The layout, boxesToPlace and the counters are left alone.
void resetBoard();
// Every floor cell to 0 and both level names emptied.
void clearLayout();
// Every floor cell to 1; the names are left alone.
void fillFloor();

inline int32_t& floorCell(int column, int row) { return board.layout.floor[column * boardRows + row]; }

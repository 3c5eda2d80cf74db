// One step of the player, pushing at most one box one cell ahead of it.
#pragma once

#include <cstdint>

struct DATAFILE;

struct Direction {
    int32_t dx;
    int32_t dy;
    char facing;
};

extern const Direction moveUp;
extern const Direction moveDown;
extern const Direction moveLeft;
extern const Direction moveRight;

bool isPlayerBlocked(const Direction& direction);
bool isBoxBlockedByWall(int box, const Direction& direction);
bool isBoxBlockedByBox(int box, const Direction& direction);
// The slot of the first box on the cell the player faces going that way, or -1:
// the box a move that way would push.
int boxInFront(const Direction& direction);
bool tryPush(const Direction& direction, DATAFILE* screens);
bool tryMove(const Direction& direction, DATAFILE* screens);

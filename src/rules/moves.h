// One step of the player, pushing at most one box one cell ahead of it.
#pragma once

#include <cstdint>

struct Direction {
    int32_t dx;
    int32_t dy;
    char facing;
};

extern const Direction moveUp;
extern const Direction moveDown;
extern const Direction moveLeft;
extern const Direction moveRight;

// The four ways, numbered 0 up, 1 down, 2 left, 3 right: the order the
// search's steps and the history's records use.
extern const Direction* const moveWays[4];
// The number of the way a letter names, in either case ('u' or 'U' is 0);
// any other letter is right.
int wayNumber(char letter);
// The way a letter of a solution names, in either case; any other is right.
const Direction& directionOf(char letter);

// The first box slot standing on the cell, or -1.
int boxAt(int64_t x, int64_t y);

bool isPlayerBlocked(const Direction& direction);
bool isBoxBlockedByWall(int box, const Direction& direction);
bool isBoxBlockedByBox(int box, const Direction& direction);
// The slot of the first box on the cell the player faces going that way, or -1:
// the box a move that way would push.
int boxInFront(const Direction& direction);
// What a move did. It plays no sound and draws nothing: whoever made the move
// tells the player (the game plays the push sound for a push).
enum class MoveOutcome { blocked, stepped, pushed };

struct MoveResult {
    MoveOutcome outcome;
    int box;  // the slot of the box pushed, or -1
    // True when the player moved, pushing or not.
    explicit operator bool() const { return outcome != MoveOutcome::blocked; }
};

// One step that way. A blocked step only turns the figure.
MoveResult tryMove(const Direction& direction);

// Taking moves back and making them again: every step and push since the
// level was loaded, kept as a few bytes each, so a long game never runs out.
#pragma once

#include <cstdint>
#include <string>

#include "rules/moves.h"

// One move as undo needs it. The rest follows from where the player stands
// now: he came from one cell back, and a pushed box stands one cell ahead.
struct MoveRecord {
    uint8_t way;        // 0 up, 1 down, 2 left, 3 right
    char facingBefore;  // the way the figure looked before the move
    uint16_t box;       // the slot of the box that moved, or noBoxMoved
};

constexpr uint16_t noBoxMoved = 0xFFFF;

// Room for far more moves than anyone makes on one level (two million, about
// 58 hours at ten moves a second); past that the oldest are forgotten.
constexpr uint64_t historyMoves = uint64_t(1) << 21;

// The moves as a ring over absolute move numbers: those from `oldest` to
// `now` can be taken back, those from `now` to `newest` made again.
struct MoveHistory {
    MoveRecord moves[historyMoves];
    uint64_t oldest;
    uint64_t now;
    uint64_t newest;
};

extern MoveHistory history;

// Forgets every move: nothing to take back, nothing to make again.
void resetHistory();

// What a move taken back or made again was.
enum class HistoryStep { none, step, push };

// A move of the player's own: the game's tryMove, remembered when it moved,
// which ends what could be made again.
MoveResult playMove(const Direction& direction);
// Takes the last move back exactly: cell, facing, the pushed box and both
// counters, without a sound.
HistoryStep undoMove();
// The moves that brought the level from its start to where it stands, in the
// common letters (u d l r a step, U D L R a push); empty when the oldest have
// been forgotten.
std::string movesFromTheStart();
// Makes the move last taken back again through tryMove; a push made again
// is a push like any other, for the caller to sound.
HistoryStep redoMove();

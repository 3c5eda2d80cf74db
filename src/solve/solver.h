// Searching for the fewest pushes that win the level held in the Board, by
// the game's own count of box-on-target pairs.
#pragma once

#include <cstdint>
#include <string>

// Where a search gives up: past either limit a level is reported as unknown.
struct SearchLimits {
    uint64_t maxStates = 3000000;  // positions kept in the table of positions seen
    double maxSeconds = 30.0;
};

enum class Outcome { won, unwinnable, unknown };

struct SearchResult {
    Outcome outcome = Outcome::unknown;
    std::string solution;  // 'u' 'd' 'l' 'r' for steps, 'U' 'D' 'L' 'R' for pushes
    int pushes = 0;
    bool optimal = false;  // no solution with fewer pushes exists
    uint64_t statesExpanded = 0;
    uint64_t statesSeen = 0;
    double seconds = 0;
    std::string why;            // for unwinnable and unknown, in a few words
    bool replayFailed = false;  // a solution was found but the game's moves did not win with it
};

// Searches the level in the Board from the player's start. The Board is left
// as it was. A solution is only reported once replayWins has accepted it.
SearchResult solveBoard(const SearchLimits& limits);

// Plays the letters on the Board with the game's tryMove and tells whether
// each one did what it says (a step that moved without pushing, a push that
// pushed) and the level is complete at the end and not before. The Board is
// restored afterwards; `why` says what went wrong.
bool replayWins(const std::string& solution, std::string* why = nullptr);

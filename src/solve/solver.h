// Searching for the fewest pushes that win the level held in the Board, by
// the game's own count of box-on-target pairs.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Where a search gives up: past any limit a level is reported as unknown.
struct SearchLimits {
    uint64_t maxBytes = uint64_t(1) << 30;  // what the search's tables may hold at once
    double maxSeconds = 30.0;
    // Positions kept in the table of positions seen: the generator gives up
    // by this count, never by the clock, so the same seed makes the same levels.
    uint64_t maxStates = UINT64_MAX;
    // Whether a search for any solution may pull the boxes back from the
    // targets on a second core, when the machine has one, while the first
    // pushes them. A search bounded by positions keeps to one core, so it
    // searches the same positions every time.
    bool secondCore = true;
    // Set by another thread, it ends the search at its next position, as its
    // time limit would: the greedy search on the second core has won.
    const std::atomic<bool>* giveUpWhen = nullptr;
};

enum class Outcome { won, unwinnable, unknown };

struct SearchResult {
    Outcome outcome = Outcome::unknown;
    std::string solution;  // 'u' 'd' 'l' 'r' for steps, 'U' 'D' 'L' 'R' for pushes
    int pushes = 0;
    int moves = 0;  // steps and pushes
    bool optimal = false;  // no solution with fewer pushes exists
    uint64_t statesExpanded = 0;
    uint64_t statesSeen = 0;
    uint64_t peakBytes = 0;  // the most the search's tables held at once
    double seconds = 0;
    std::string why;            // for unwinnable and unknown, in a few words
    bool replayFailed = false;  // a solution was found but the game's moves did not win with it
};

// Searches the level in the Board from the player's start. The Board is left
// as it was. A solution is only reported once replayWins has accepted it.
// With `anySolution` the search stops at the first solution it finds, which
// comes far sooner on hard levels but may not have the fewest pushes.
SearchResult solveBoard(const SearchLimits& limits, bool anySolution = false);

// Plays a solution's letters on a level's rows: says whether it wins and, when
// not, why. Used by solveRows when the level does not fit the Board.
using Replay = std::function<bool(const std::string& solution, std::string* why)>;

// Searches a level given as rows in the common notation, of any size up to
// what the search holds (64 x 64 cells and 400 boxes, and more). A solution
// is only reported once `replay` has accepted it.
SearchResult solveRows(const std::vector<std::string>& rows, const SearchLimits& limits, bool anySolution,
                       const Replay& replay);

// Plays the letters on the Board with the game's tryMove and tells whether
// each one did what it says (a step that moved without pushing, a push that
// pushed) and the level is complete at the end and not before. The Board is
// restored afterwards; `why` says what went wrong.
bool replayWins(const std::string& solution, std::string* why = nullptr);

// The same replay on the rows of a level in the common notation, by the same
// rules: a step goes onto floor, a push moves one box onto floor beyond it, and
// the level is won once every box stands on a target, at the end and not
// before. The player may walk round the outside of rows not closed by walls.
bool replayWinsOnRows(const std::vector<std::string>& rows, const std::string& solution, std::string* why = nullptr);

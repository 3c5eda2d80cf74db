// Checking levels the way the game will meet them: the file's shape, the
// chain of names from one level to the next, the board, and whether the
// level can be won.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "solve/solver.h"

// The first thing wrong with the shape of a level file read as the game reads
// it (too few tokens, a malformed one, tokens past the 930th), or "".
std::string formatProblem(std::istream& in);

// What is wrong with the board of the level in the Board: coordinates off the
// 20 x 13 grid, a player who can walk off it, targets in column 0.
std::vector<std::string> boardProblems();

// Walks the chain from the first level as the game does, calling `visit` with
// each level's name once the Board holds it. Chain problems go to `problem`
// with the name of the level they belong to. Returns the number of levels read.
int followChain(const std::string& firstName, const std::function<void(const std::string& name)>& visit,
                const std::function<void(const std::string& name, const std::string& text)>& problem);

// The check command: every level of the chain reported; 0 only when every
// level is readable, correctly chained, free of board problems and winnable.
int checkChain(const std::string& firstName, const SearchLimits& limits, std::ostream& out);

// The solve command: one level, its solution printed; 0 when it is won.
// With `anySolution`, the first solution found rather than the fewest pushes.
int solveLevel(const std::string& name, const SearchLimits& limits, std::ostream& out, bool anySolution = false);

// The solve command on a collection in the common notation: level `ordinal`
// (from 1), or every level when it is 0, then a summary line of how many were
// won, positions a second and the most memory a search held. Levels of any
// size are taken; a solution is replayed with the game's moves when the level
// fits the Board, on the rows otherwise. 0 when every level asked for is won.
int solveCollection(std::istream& in, int ordinal, const SearchLimits& limits, bool anySolution, std::ostream& out);

// The bench command: the solver's speed on every level of a chain. `solved`,
// when given, gets each level's name and what the solver found for it.
int benchChain(const std::string& firstName, const SearchLimits& limits, std::ostream& out,
               const std::function<void(const std::string& name, const SearchResult& result)>& solved = {});

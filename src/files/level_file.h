// Reading a level file into the Board.
#pragma once

#include <istream>
#include <string>

#include "files/file_result.h"

// The path of the first level of the set, as the game names it: the shipped
// set's "levels\\level1.kzm" unless the player chose a folder of their own.
extern std::string firstLevelFile;

// Resets the Board and fills it from the named level: a level file, or a
// level of a collection by the name collectionLevelName gives it. A level that
// cannot be opened is reported as missing (or malformed, for a collection
// level that cannot be played), and the Board is left as it was.
FileResult loadLevel(const std::string& fileName);

// True when the named level can be opened for reading.
bool canOpenLevel(const std::string& fileName);

// The level another level names as its next, as the game should open it. A
// chain of level files names its levels from wherever it was made (a chain
// made into "mine" names "mine\level2.kzm", whatever folder the game is in,
// with a backslash as always): the file of the same
// name in the naming level's own folder is taken when there is one, and the
// name as written otherwise.
std::string resolveLevelName(const std::string& name, const std::string& namedFrom);

// Resets the Board and reads the 930 tokens of a level from a stream, under
// the failed-read rules: the first missing or malformed token ends the reading
// and everything after it keeps its value from before.
void readLevel(std::istream& in);

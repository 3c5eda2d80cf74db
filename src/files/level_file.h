// Reading a level file into the Board.
#pragma once

#include <istream>
#include <string>

#include "files/file_result.h"

// The path of the first level of the set, as the game names it: the shipped
// set's "levels\\level1.kzm" unless the player chose a folder of their own.
extern std::string firstLevelFile;

// Resets the Board and fills it from the named file. A file that cannot be
// opened is reported as missing, and the Board is left as it was.
FileResult loadLevel(const std::string& fileName);

// True when the named level file can be opened for reading.
bool canOpenLevel(const std::string& fileName);

// Resets the Board and reads the 930 tokens of a level from a stream, under
// the failed-read rules: the first missing or malformed token ends the reading
// and everything after it keeps its value from before.
void readLevel(std::istream& in);

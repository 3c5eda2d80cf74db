// The game names its files with the backslash ("levels\level1.kzm"). Names are
// kept that way everywhere; only when a file is opened does each backslash
// become the slash this system uses.
#pragma once

#include <string>

std::string hostPath(const std::string& gameName);
// The other way: the game's name of a file at a path of this system.
std::string gameName(const std::string& hostPath);

// The game's name for a level file in a folder: "levels" and 2 give
// "levels\level2.kzm". The folder may be written with either slash.
std::string chainFileName(const std::string& folder, int number);

// True when the name holds a blank: the game reads a name in a level or
// saved-game file only up to the first one, so no such name can be kept.
bool holdsBlank(const std::string& name);

// True when the path names an ordinary file. Folders open like empty files
// here, and a pipe or a device would make the game wait for ever, so the game
// reads only ordinary files.
bool isOrdinaryFile(const std::string& hostPath);

// The game names its files with the backslash ("levels\level1.kzm"). Names are
// kept that way everywhere; only when a file is opened does each backslash
// become the slash this system uses.
#pragma once

#include <string>

std::string hostPath(const std::string& gameName);

// True when the path names an ordinary file. Folders open like empty files
// here, and a pipe or a device would make the game wait for ever, so the game
// reads only ordinary files.
bool isOrdinaryFile(const std::string& hostPath);

// The game names its files with the backslash ("levels\level1.kzm"). Names are
// kept that way everywhere; only when a file is opened does each backslash
// become the slash this system uses.
#pragma once

#include <string>

std::string hostPath(const std::string& gameName);

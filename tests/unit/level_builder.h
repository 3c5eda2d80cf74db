// Writing level files for tests from a small picture of the room.
#pragma once

#include <string>

// The 930 tokens of a level drawn with '#' wall, '$' box, '.' target,
// '*' box on target, '@' player and '+' player on target, its top-left corner
// at cell (left, top). Unused slots are -1 -1.
std::string levelText(const std::string& picture, const std::string& ownName, const std::string& nextName,
                      int boxesToPlace, int left = 1, int top = 1);
// Sets the Board straight from such a picture, as loading its file would.
void setBoardFromPicture(const std::string& picture, int left = 1, int top = 1);

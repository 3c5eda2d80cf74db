#include "level_builder.h"

#include <sstream>

#include "files/level_file.h"
#include "rules/board.h"

std::string levelText(const std::string& picture, const std::string& ownName, const std::string& nextName,
                      int boxesToPlace, int left, int top) {
    std::ostringstream walls, boxes, targets;
    int wallCount = 0, boxCount = 0, targetCount = 0, startX = 0, startY = 0;
    int x = left, y = top;
    for (char c : picture) {
        if (c == '\n') {
            x = left;
            y++;
            continue;
        }
        if (c == '#') walls << x << ' ' << y << '\n', wallCount++;
        if (c == '$' || c == '*') boxes << x << ' ' << y << '\n', boxCount++;
        if (c == '.' || c == '*' || c == '+') targets << x << ' ' << y << '\n', targetCount++;
        if (c == '@' || c == '+') startX = x, startY = y;
        x++;
    }
    for (; wallCount < wallSlots; wallCount++) walls << "-1 -1\n";
    for (; boxCount < boxSlots; boxCount++) boxes << "-1 -1\n";
    for (; targetCount < targetSlots; targetCount++) targets << "-1 -1\n";
    std::ostringstream out;
    out << "0 0 0 0 " << boxesToPlace << " 0\n"
        << ownName << '\n' << nextName << '\n' << startX << ' ' << startY << '\n'
        << walls.str() << boxes.str() << targets.str();
    return out.str();
}

void setBoardFromPicture(const std::string& picture, int left, int top) {
    std::istringstream in(levelText(picture, "levels\\test.kzm", "lastlevel", 0, left, top));
    readLevel(in);
}

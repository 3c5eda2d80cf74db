// The level file: six header integers, the level's own name and its
// successor's, the start cell, then exactly 260 wall, 100 box and 100 target
// pairs, all whitespace-separated. Unused slots are written as -1 -1.
#include "files/level_file.h"

#include <fstream>

#include "files/paths.h"
#include "files/tokens.h"
#include "rules/board.h"

std::string firstLevelFile = "levels\\level1.kzm";

void readLevel(std::istream& in) {
    resetBoard();
    for (int i = 0; i < headerValues; i++) {
        readInt32(in, i == boxesToPlaceHeader ? board.boxesToPlace : board.unusedHeader[i]);
    }
    readName(in, board.layout.currentLevelFile);
    readName(in, board.layout.nextLevelFile);
    readInt32(in, board.player.startX);
    readInt32(in, board.player.startY);
    // The player is placed on the start cell even when the reading has failed.
    board.player.x = board.player.startX;
    board.player.y = board.player.startY;
    for (int i = 0; i < wallSlots; i++) {
        readInt32(in, board.walls[i].x);
        readInt32(in, board.walls[i].y);
    }
    for (int i = 0; i < boxSlots; i++) {
        readInt32(in, board.boxes[i].x);
        readInt32(in, board.boxes[i].y);
    }
    for (int i = 0; i < targetSlots; i++) {
        readInt32(in, board.targets[i].x);
        readInt32(in, board.targets[i].y);
    }
}

namespace {

bool openLevel(const std::string& fileName, std::ifstream& file) {
    std::string path = hostPath(fileName);
    if (!isOrdinaryFile(path)) return false;
    file.open(path, std::ios::in | std::ios::binary);
    return file.is_open();
}

}  // namespace

bool canOpenLevel(const std::string& fileName) {
    std::ifstream file;
    return openLevel(fileName, file);
}

FileResult loadLevel(const std::string& fileName) {
    std::ifstream file;
    if (!openLevel(fileName, file)) return fileFailed(FileOutcome::missing, "cannot open " + fileName);
    readLevel(file);
    return fileDone();
}

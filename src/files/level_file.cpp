// The level file: six header integers, the level's own name and its
// successor's, the start cell, then exactly 260 wall, 100 box and 100 target
// pairs, all whitespace-separated. Unused slots are written as -1 -1.
#include "files/level_file.h"

#include <fstream>

#include "files/collection_level.h"
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
    for (WallPos& wall : board.walls) {
        readInt32(in, wall.x);
        readInt32(in, wall.y);
    }
    for (GridPos& box : board.boxes) {
        readInt32(in, box.x);
        readInt32(in, box.y);
    }
    for (GridPos& target : board.targets) {
        readInt32(in, target.x);
        readInt32(in, target.y);
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
    std::string collection;
    int number = 0;
    if (isCollectionLevelName(fileName, collection, number)) {
        FileResult listed;
        const Collection& levels = listedCollection(collection, listed);
        return listed && number <= int(levels.levels.size()) &&
               levels.levels[size_t(number - 1)].refusal == Refusal::none;
    }
    std::ifstream file;
    return openLevel(fileName, file);
}

FileResult loadLevel(const std::string& fileName) {
    std::string collection;
    int number = 0;
    if (isCollectionLevelName(fileName, collection, number)) return loadCollectionLevel(collection, number);
    std::ifstream file;
    if (!openLevel(fileName, file)) return fileFailed(FileOutcome::missing, "cannot open " + fileName);
    readLevel(file);
    return fileDone();
}

std::string resolveLevelName(const std::string& name, const std::string& namedFrom) {
    std::string collection;
    int number = 0;
    if (name == "lastlevel" || isCollectionLevelName(name, collection, number)) return name;
    const size_t nameCut = name.find_last_of("\\/");
    const size_t fromCut = namedFrom.find_last_of("\\/");
    const std::string besideIt = (fromCut == std::string::npos ? std::string() : namedFrom.substr(0, fromCut + 1)) +
                                 (nameCut == std::string::npos ? name : name.substr(nameCut + 1));
    return besideIt != name && canOpenLevel(besideIt) ? besideIt : name;
}

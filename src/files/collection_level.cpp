// Collection levels on the Board.
#include "files/collection_level.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cctype>
#include <fstream>

#include "files/paths.h"
#include "rules/board.h"

namespace {

// The listing kept from the last file listed, and what the file was then.
struct KeptListing {
    std::string path;
    int64_t size = -1;
    int64_t changed = -1;
    Collection collection;
};

KeptListing kept;

bool sameFileAsKept(const std::string& path, const struct stat& info) {
    return kept.path == path && kept.size == int64_t(info.st_size) &&
           kept.changed == int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

}  // namespace

std::string collectionLevelName(const std::string& hostPath, int number) {
    std::string name;
    for (char c : hostPath) {
        if (c == '%' || std::isspace(static_cast<unsigned char>(c))) {
            const char* digits = "0123456789ABCDEF";
            name += '%';
            name += digits[(static_cast<unsigned char>(c) >> 4) & 15];
            name += digits[static_cast<unsigned char>(c) & 15];
        } else {
            name += c;
        }
    }
    return name + "#" + std::to_string(number);
}

bool isCollectionLevelName(const std::string& name, std::string& hostPath, int& number) {
    const size_t hash = name.rfind('#');
    if (hash == std::string::npos || hash == 0 || hash + 1 == name.size() || name.size() - hash > 8) return false;
    number = 0;
    for (size_t i = hash + 1; i < name.size(); i++) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
        number = number * 10 + (name[i] - '0');
    }
    if (number < 1) return false;
    hostPath.clear();
    for (size_t i = 0; i < hash; i++) {
        if (name[i] == '%' && i + 2 < hash && std::isxdigit(static_cast<unsigned char>(name[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(name[i + 2]))) {
            hostPath += char(std::stoi(name.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            hostPath += name[i];
        }
    }
    return true;
}

const Collection& listedCollection(const std::string& hostPath, FileResult& result) {
    struct stat info;
    result = fileDone();
    if (::stat(hostPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        kept = KeptListing();
        result = fileFailed(FileOutcome::missing, "cannot open " + hostPath);
        return kept.collection;
    }
    if (sameFileAsKept(hostPath, info)) return kept.collection;
    std::ifstream file(hostPath, std::ios::in | std::ios::binary);
    kept = KeptListing();
    if (!file.is_open()) {
        result = fileFailed(FileOutcome::missing, "cannot open " + hostPath);
        return kept.collection;
    }
    kept.collection = listCollection(file);
    kept.path = hostPath;
    kept.size = int64_t(info.st_size);
    kept.changed = int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return kept.collection;
}

int playableLevelFrom(const Collection& collection, int number) {
    for (int i = std::max(number, 1); i <= int(collection.levels.size()); i++) {
        if (collection.levels[size_t(i - 1)].refusal == Refusal::none) return i;
    }
    return 0;
}

void placeLevelPicture(const LevelPicture& picture) {
    const LevelPieces pieces = piecesOf(picture);
    bool targetOnLeftEdge = false;
    for (const PictureCell& target : pieces.targets) targetOnLeftEdge = targetOnLeftEdge || target.column == 0;
    int32_t left = 1, top = 0, columns = picture.columns + 1, rows = picture.rows;
    const bool fitsTheGrid = picture.columns <= boardColumns && picture.rows <= boardRows &&
                             !(picture.columns == boardColumns && targetOnLeftEdge);
    if (fitsTheGrid) {
        // Centred, and moved one column right when a target would stand in column 0.
        left = (boardColumns - picture.columns) / 2;
        if (left == 0 && targetOnLeftEdge) left = 1;
        top = (boardRows - picture.rows) / 2;
        columns = boardColumns;
        rows = boardRows;
    }
    resetBoardFor(int(pieces.walls.size()), int(pieces.boxes.size()), int(pieces.targets.size()), columns, rows);
    for (size_t i = 0; i < pieces.walls.size(); i++) {
        board.walls[i] = {left + pieces.walls[i].column, top + pieces.walls[i].row, 0};
    }
    for (size_t i = 0; i < pieces.boxes.size(); i++) {
        board.boxes[i] = {left + pieces.boxes[i].column, top + pieces.boxes[i].row};
    }
    for (size_t i = 0; i < pieces.targets.size(); i++) {
        board.targets[i] = {left + pieces.targets[i].column, top + pieces.targets[i].row};
    }
    board.player.startX = left + pieces.player.column;
    board.player.startY = top + pieces.player.row;
    board.player.x = board.player.startX;
    board.player.y = board.player.startY;
    board.boxesToPlace = int32_t(pieces.boxes.size());
    for (int32_t& value : board.unusedHeader) value = 0;
}

FileResult loadCollectionLevel(const std::string& hostPath, int number) {
    FileResult listed;
    const Collection& collection = listedCollection(hostPath, listed);
    if (!listed) return listed;
    if (number < 1 || number > int(collection.levels.size())) {
        return fileFailed(FileOutcome::malformed, "there is no level " + std::to_string(number) + " in " + hostPath);
    }
    std::ifstream file(hostPath, std::ios::in | std::ios::binary);
    if (!file.is_open()) return fileFailed(FileOutcome::missing, "cannot open " + hostPath);
    const CollectionLevel level = collectionLevel(file, collection, number - 1);
    if (!level.refusal.empty()) {
        return fileFailed(FileOutcome::malformed, "level " + std::to_string(number) + " cannot be played: " +
                                                      level.refusal);
    }
    placeLevelPicture(level.picture);
    board.layout.currentLevelFile = collectionLevelName(hostPath, number);
    const int next = playableLevelFrom(collection, number + 1);
    board.layout.nextLevelFile = next > 0 ? collectionLevelName(hostPath, next) : "lastlevel";
    return fileDone();
}

LevelPicture pictureOfBoardAtStart() {
    LevelPicture picture;
    int64_t left = INT64_MAX, right = INT64_MIN, top = INT64_MAX, bottom = INT64_MIN;
    auto widen = [&](int64_t x, int64_t y) {
        if (x == unusedSlot && y == unusedSlot) return;
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    };
    for (const WallPos& wall : board.walls) widen(wall.x, wall.y);
    for (const GridPos& box : board.boxes) widen(box.x, box.y);
    for (const GridPos& target : board.targets) widen(target.x, target.y);
    widen(board.player.startX, board.player.startY);
    if (left > right || right - left >= mostLevelColumns || bottom - top >= mostLevelRows) return picture;
    picture.columns = int(right - left + 1);
    picture.rows = int(bottom - top + 1);
    picture.lines.assign(size_t(picture.rows), std::string(size_t(picture.columns), ' '));
    auto at = [&](int64_t x, int64_t y) -> char& { return picture.lines[size_t(y - top)][size_t(x - left)]; };
    auto inside = [&](int64_t x, int64_t y) { return x >= left && x <= right && y >= top && y <= bottom; };
    for (const WallPos& wall : board.walls) {
        if (inside(wall.x, wall.y)) at(wall.x, wall.y) = '#';
    }
    for (const GridPos& target : board.targets) {
        if (inside(target.x, target.y)) at(target.x, target.y) = '.';
    }
    for (const GridPos& box : board.boxes) {
        if (inside(box.x, box.y)) at(box.x, box.y) = at(box.x, box.y) == '.' ? '*' : '$';
    }
    char& start = at(board.player.startX, board.player.startY);
    start = start == '.' ? '+' : '@';
    return picture;
}

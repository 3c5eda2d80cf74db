// Fitting the levels of collections in the common text notation into the
// game's grid and slot lists, and drawing a loaded level back as text.
#include "levels/notation.h"

#include <algorithm>
#include <sstream>

#include "files/collection_file.h"

namespace {

bool isOnGrid(int32_t x, int32_t y) { return x >= 0 && x < boardColumns && y >= 0 && y < boardRows; }

bool isFree(const GridPos& slot) { return slot.x == unusedSlot && slot.y == unusedSlot; }

}  // namespace

std::string placeLevel(const std::vector<std::string>& rows, PlacedLevel& placed) {
    placed = PlacedLevel();
    LevelPicture picture;
    picture.lines = rows;
    LevelPieces pieces = piecesOf(picture);
    // The rectangle of cells that hold something; floor around it is dropped.
    int left = -1, right = -1, top = -1, bottom = -1;
    auto widen = [&](const PictureCell& cell) {
        if (left < 0 || cell.column < left) left = cell.column;
        right = std::max(right, cell.column);
        if (top < 0 || cell.row < top) top = cell.row;
        bottom = std::max(bottom, cell.row);
    };
    for (const auto* cells : {&pieces.walls, &pieces.boxes, &pieces.targets}) {
        for (const PictureCell& cell : *cells) widen(cell);
    }
    if (pieces.players > 0) widen(pieces.player);
    if (left < 0) return "it is empty";
    int width = right - left + 1;
    int height = bottom - top + 1;
    bool targetOnLeftEdge = false;
    for (const PictureCell& target : pieces.targets) targetOnLeftEdge = targetOnLeftEdge || target.column == left;
    std::vector<std::string> reasons;
    auto because = [&](size_t count, const char* what, int limit, const char* room) {
        std::ostringstream out;
        out << count << ' ' << what << ", the grid has " << limit << room;
        reasons.push_back(out.str());
    };
    if (width > boardColumns) because(size_t(width), "columns wide", boardColumns, " columns");
    if (height > boardRows) because(size_t(height), "rows tall", boardRows, " rows");
    if (pieces.players == 0) reasons.push_back("no player");
    if (pieces.players > 1) reasons.push_back(std::to_string(pieces.players) + " players");
    if (pieces.boxes.size() > size_t(boxSlots)) because(pieces.boxes.size(), "boxes", boxSlots, " box slots");
    if (pieces.targets.size() > size_t(targetSlots)) {
        because(pieces.targets.size(), "targets", targetSlots, " target slots");
    }
    if (pieces.walls.size() > size_t(wallSlots)) because(pieces.walls.size(), "walls", wallSlots, " wall slots");
    // Centred, and moved one column right when a target would stand in column 0.
    int column = (boardColumns - width) / 2;
    if (column == 0 && targetOnLeftEdge && width < boardColumns) column = 1;
    int row = (boardRows - height) / 2;
    if (width == boardColumns && targetOnLeftEdge) reasons.push_back("a target would stand in column 0, which never counts");
    if (!reasons.empty()) {
        std::string text = reasons[0];
        for (size_t i = 1; i < reasons.size(); i++) text += "; " + reasons[i];
        return text;
    }
    auto onGrid = [&](const PictureCell& cell) { return GridPos{column + cell.column - left, row + cell.row - top}; };
    for (const PictureCell& cell : pieces.walls) placed.walls.push_back(onGrid(cell));
    for (const PictureCell& cell : pieces.boxes) placed.boxes.push_back(onGrid(cell));
    for (const PictureCell& cell : pieces.targets) placed.targets.push_back(onGrid(cell));
    placed.player = onGrid(pieces.player);
    return "";
}

std::string levelFileText(const PlacedLevel& level, const std::string& ownName, const std::string& nextName) {
    std::ostringstream out;
    out << "0 0 0 0 " << level.boxes.size() << " 0\n"
        << ownName << '\n' << nextName << '\n' << level.player.x << ' ' << level.player.y << '\n';
    auto slots = [&out](const std::vector<GridPos>& used, int capacity) {
        for (const GridPos& cell : used) out << cell.x << ' ' << cell.y << '\n';
        for (int i = int(used.size()); i < capacity; i++) out << unusedSlot << ' ' << unusedSlot << '\n';
    };
    slots(level.walls, wallSlots);
    slots(level.boxes, boxSlots);
    slots(level.targets, targetSlots);
    return out.str();
}

std::vector<std::string> pictureOfBoard(std::vector<std::string>& lost) {
    lost.clear();
    char cells[boardColumns][boardRows];
    for (auto& column : cells) std::fill(std::begin(column), std::end(column), ' ');
    int offGrid = 0;
    int left = boardColumns, right = -1, top = boardRows, bottom = -1;
    auto mark = [&](int32_t x, int32_t y) {
        if (!isOnGrid(x, y)) {
            offGrid++;
            return false;
        }
        left = std::min(left, int(x));
        right = std::max(right, int(x));
        top = std::min(top, int(y));
        bottom = std::max(bottom, int(y));
        return true;
    };
    bool clash = false;
    for (const WallPos& wall : board.walls) {
        if (wall.x == unusedSlot && wall.y == unusedSlot) continue;
        if (!mark(wall.x, wall.y)) continue;
        if (cells[wall.x][wall.y] != ' ') clash = true;
        cells[wall.x][wall.y] = '#';
    }
    int boxCount = 0;
    for (const GridPos& box : board.boxes) {
        if (isFree(box)) continue;
        boxCount++;
        if (!mark(box.x, box.y)) continue;
        if (cells[box.x][box.y] != ' ') clash = true;
        cells[box.x][box.y] = '$';
    }
    for (const GridPos& target : board.targets) {
        if (isFree(target)) continue;
        if (!mark(target.x, target.y)) continue;
        char& c = cells[target.x][target.y];
        if (c == '$') c = '*';
        else if (c == ' ') c = '.';
        else clash = true;
    }
    if (mark(board.player.startX, board.player.startY)) {
        char& c = cells[board.player.startX][board.player.startY];
        if (c == ' ') c = '@';
        else if (c == '.') c = '+';
        else clash = true;
    }
    if (offGrid > 0) lost.push_back(std::to_string(offGrid) + " things off the grid are left out");
    if (clash) lost.push_back("things sharing a cell are drawn as one");
    if (board.boxesToPlace != boxCount) {
        lost.push_back("boxesToPlace " + std::to_string(board.boxesToPlace) + " becomes the number of boxes, " +
                       std::to_string(boxCount));
    }
    std::vector<std::string> rows;
    for (int y = top; y <= bottom; y++) {
        std::string row;
        for (int x = left; x <= right; x++) row.push_back(cells[x][y]);
        row.erase(row.find_last_not_of(' ') + 1);
        rows.push_back(row);
    }
    return rows;
}

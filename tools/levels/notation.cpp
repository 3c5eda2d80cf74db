// Reading collections in the common text notation, fitting their levels into
// the game's grid and slot lists, and drawing a loaded level back as text.
#include "levels/notation.h"

#include <algorithm>
#include <sstream>

namespace {

bool isBoardSymbol(char c) {
    return c == '#' || c == '@' || c == '+' || c == '$' || c == '*' || c == '.' || c == ' ' || c == '-' ||
           c == '_';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Spells out one line of the collection into board rows. False when the line
// is not part of a board: other characters, a count with nothing after it, or
// nothing on it but floor.
bool expandBoardLine(const std::string& line, std::vector<std::string>& rows) {
    std::vector<std::string> out(1);
    long count = 0;
    bool counting = false;
    bool anyThing = false;
    for (char c : line) {
        if (isDigit(c)) {
            count = std::min(count * 10 + (c - '0'), 1000L);
            counting = true;
            continue;
        }
        if (c == '|') {
            if (counting) return false;
            out.emplace_back();
            continue;
        }
        if (!isBoardSymbol(c)) return false;
        char cell = (c == '-' || c == '_') ? ' ' : c;
        if (cell != ' ') anyThing = true;
        out.back().append(counting ? size_t(count) : 1, cell);
        count = 0;
        counting = false;
    }
    if (counting || !anyThing) return false;
    rows.insert(rows.end(), out.begin(), out.end());
    return true;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The words after "Title:" when the line is a title line, whatever the letter case.
bool titleOf(const std::string& line, std::string& title) {
    std::string text = trimmed(line);
    const std::string key = "title:";
    if (text.size() < key.size()) return false;
    for (size_t i = 0; i < key.size(); i++) {
        if (char(std::tolower(static_cast<unsigned char>(text[i]))) != key[i]) return false;
    }
    title = trimmed(text.substr(key.size()));
    return true;
}

bool isOnGrid(int32_t x, int32_t y) { return x >= 0 && x < boardColumns && y >= 0 && y < boardRows; }

bool isFree(const GridPos& slot) { return slot.x == unusedSlot && slot.y == unusedSlot; }

}  // namespace

std::vector<CollectionLevel> readCollection(std::istream& in) {
    std::vector<CollectionLevel> levels;
    std::string line;
    std::string textAbove;    // the text line right above, while no blank line came between
    bool inBoard = false;
    bool lastHasTitle = true;  // a "Title:" line goes to the level before it while that has none
    std::string pendingTitle;  // a "Title:" line seen before its level
    int lineNumber = 0;
    while (std::getline(in, line)) {
        lineNumber++;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> rows;
        if (expandBoardLine(line, rows)) {
            if (!inBoard) {
                CollectionLevel level;
                level.ordinal = int(levels.size()) + 1;
                level.firstLine = lineNumber;
                level.title = !pendingTitle.empty() ? pendingTitle : textAbove;
                lastHasTitle = !pendingTitle.empty();
                pendingTitle.clear();
                levels.push_back(level);
                inBoard = true;
            }
            levels.back().rows.insert(levels.back().rows.end(), rows.begin(), rows.end());
            continue;
        }
        inBoard = false;
        std::string title;
        if (titleOf(line, title)) {
            if (!levels.empty() && !lastHasTitle) {
                levels.back().title = title;
                lastHasTitle = true;
            } else {
                pendingTitle = title;
            }
            textAbove.clear();
            continue;
        }
        textAbove = trimmed(line);
    }
    return levels;
}

std::string describeLevel(const CollectionLevel& level) {
    std::ostringstream out;
    out << "level " << level.ordinal;
    if (!level.title.empty()) out << " \"" << level.title << '"';
    out << " (line " << level.firstLine << ')';
    return out.str();
}

std::string placeLevel(const std::vector<std::string>& rows, PlacedLevel& placed) {
    placed = PlacedLevel();
    // The rectangle of cells that hold something; floor around it is dropped.
    int left = -1, right = -1, top = -1, bottom = -1;
    for (int y = 0; y < int(rows.size()); y++) {
        for (int x = 0; x < int(rows[y].size()); x++) {
            if (rows[y][x] == ' ') continue;
            if (left < 0 || x < left) left = x;
            if (x > right) right = x;
            if (top < 0) top = y;
            bottom = y;
        }
    }
    if (left < 0) return "it is empty";
    int width = right - left + 1;
    int height = bottom - top + 1;
    int players = 0, walls = 0, boxes = 0, targets = 0;
    bool targetOnLeftEdge = false;
    for (const std::string& row : rows) {
        for (int x = 0; x < int(row.size()); x++) {
            char c = row[x];
            if (c == '@' || c == '+') players++;
            if (c == '#') walls++;
            if (c == '$' || c == '*') boxes++;
            if (c == '.' || c == '*' || c == '+') {
                targets++;
                if (x == left) targetOnLeftEdge = true;
            }
        }
    }
    std::vector<std::string> reasons;
    auto because = [&](int count, const char* what, int limit, const char* room) {
        std::ostringstream out;
        out << count << ' ' << what << ", the grid has " << limit << room;
        reasons.push_back(out.str());
    };
    if (width > boardColumns) because(width, "columns wide", boardColumns, " columns");
    if (height > boardRows) because(height, "rows tall", boardRows, " rows");
    if (players == 0) reasons.push_back("no player");
    if (players > 1) reasons.push_back(std::to_string(players) + " players");
    if (boxes > boxSlots) because(boxes, "boxes", boxSlots, " box slots");
    if (targets > targetSlots) because(targets, "targets", targetSlots, " target slots");
    if (walls > wallSlots) because(walls, "walls", wallSlots, " wall slots");
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
    for (int y = top; y <= bottom; y++) {
        const std::string& line = rows[y];
        for (int x = left; x < int(line.size()); x++) {
            GridPos cell = {column + x - left, row + y - top};
            char c = line[x];
            if (c == '#') placed.walls.push_back(cell);
            if (c == '$' || c == '*') placed.boxes.push_back(cell);
            if (c == '.' || c == '*' || c == '+') placed.targets.push_back(cell);
            if (c == '@' || c == '+') placed.player = cell;
        }
    }
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

// Reading collections: notation files listed in one pass and their levels read
// again on demand, and chain folders followed from their first level.
#include "files/collection_file.h"

#include "files/level_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <utility>

#include "files/paths.h"
#include "files/tokens.h"

namespace fs = std::filesystem;

namespace {

constexpr int tabWidth = 8;
// Counts and sizes stop growing here, far past any limit, so that no run of
// digits or of characters, however long, can overflow them.
constexpr int64_t countCeiling = int64_t(1) << 50;
constexpr int64_t repeatCeiling = int64_t(1) << 30;
// Of each line only the start is kept: enough for a title and a "Key:".
constexpr size_t keptLineBytes = 512;

int64_t capped(int64_t value) { return std::min(value, countCeiling); }

int32_t toInt32(int64_t value) { return int32_t(std::min<int64_t>(value, std::numeric_limits<int32_t>::max())); }

bool isFloor(char c) { return c == ' ' || c == '-' || c == '_'; }

bool isPiece(char c) { return c == '#' || c == '@' || c == '+' || c == '$' || c == '*' || c == '.'; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The cells of the board lines of one level, or of one line, as they are read:
// how many rows were begun, the rectangle of the cells that hold something,
// and how many players, boxes and targets stand in it.
struct Tally {
    int64_t rows = 1;
    int64_t top = -1, bottom = -1, left = -1, right = -1;
    int64_t players = 0, boxes = 0, targets = 0;
};

// Adds a line's tally below the rows of the level so far.
void addLine(Tally& level, const Tally& line, bool firstLine) {
    int64_t below = firstLine ? 0 : level.rows;
    if (line.top >= 0) {
        if (level.top < 0) level.top = below + line.top;
        level.bottom = capped(below + line.bottom);
        level.left = level.left < 0 ? line.left : std::min(level.left, line.left);
        level.right = std::max(level.right, line.right);
    }
    level.players = capped(level.players + line.players);
    level.boxes = capped(level.boxes + line.boxes);
    level.targets = capped(level.targets + line.targets);
    level.rows = capped(below + line.rows);
}

// Reads one line as a row (or '|'-separated rows) of a board, a character at
// a time. Cells that hold something are also written into `picture` when one
// is given, shifted by the level's corner.
struct BoardLine {
    bool fits = true;       // every character so far can stand in a board line
    bool anyPiece = false;  // something other than floor stands on it
    bool counting = false;  // digits were read and wait for their symbol
    int64_t count = 0;
    int64_t column = 0;
    Tally tally;

    LevelPicture* picture = nullptr;
    int64_t pictureRow = 0;  // the picture's row of this line's first row
    int64_t pictureLeft = 0;

    void take(char c) {
        if (!fits) return;
        if (c >= '0' && c <= '9') {
            count = std::min(count * 10 + (c - '0'), repeatCeiling);
            counting = true;
            return;
        }
        if (c == '|' || c == '\t') {
            if (counting) {
                fits = false;
            } else if (c == '|') {
                tally.rows = capped(tally.rows + 1);
                column = 0;
            } else {
                column = capped((column / tabWidth + 1) * tabWidth);
            }
            return;
        }
        if (!isFloor(c) && !isPiece(c)) {
            fits = false;
            return;
        }
        int64_t repeat = counting ? count : 1;
        counting = false;
        count = 0;
        if (repeat > 0 && isPiece(c)) place(c, repeat);
        column = capped(column + repeat);
    }

    // True when the whole line was a row of a board.
    bool isBoardRow() const { return fits && anyPiece && !counting; }

    void place(char c, int64_t repeat) {
        anyPiece = true;
        int64_t row = tally.rows - 1;
        if (tally.top < 0) tally.top = row;
        tally.bottom = row;
        tally.left = tally.left < 0 ? column : std::min(tally.left, column);
        tally.right = std::max(tally.right, capped(column + repeat - 1));
        if (c == '@' || c == '+') tally.players = capped(tally.players + repeat);
        if (c == '$' || c == '*') tally.boxes = capped(tally.boxes + repeat);
        if (c == '.' || c == '*' || c == '+') tally.targets = capped(tally.targets + repeat);
        if (picture == nullptr) return;
        int64_t y = pictureRow + row;
        for (int64_t x = column - pictureLeft; x < column - pictureLeft + repeat; x++) {
            if (y >= 0 && y < picture->rows && x >= 0 && x < picture->columns) picture->lines[y][x] = c;
        }
    }
};

// The start of a line of text and where its words begin and end, for titles
// and "Key:" lines.
struct TextLine {
    std::string kept;      // the first keptLineBytes bytes
    int64_t length = 0;
    int64_t lastWord = -1;  // the last byte that is not blank

    void take(char c) {
        if (kept.size() < keptLineBytes) kept.push_back(c);
        if (!isBlank(c)) lastWord = length;
        length++;
    }

    // Ready for the next line; the kept bytes' room is kept too, so a line costs no allocation.
    void clear() {
        kept.clear();
        length = 0;
        lastWord = -1;
    }

    bool isBlankLine() const { return lastWord < 0; }

    size_t firstWord() const {
        size_t i = 0;
        while (i < kept.size() && isBlank(kept[i])) i++;
        return i;
    }

    // The key of a "Key: value" line, lower-cased, or "" when the line is none.
    std::string key(size_t& valueFrom) const {
        size_t i = firstWord();
        size_t keyStart = i;
        std::string key;
        while (i < kept.size() && (std::isalnum(static_cast<unsigned char>(kept[i])) || kept[i] == '-' || kept[i] == '_')) {
            key.push_back(char(std::tolower(static_cast<unsigned char>(kept[i]))));
            i++;
        }
        if (key.empty() || i >= kept.size() || kept[i] != ':') return "";
        if (!std::isalpha(static_cast<unsigned char>(kept[keyStart]))) return "";
        i++;
        while (i < kept.size() && isBlank(kept[i])) i++;
        valueFrom = i;
        return key;
    }

    // Where the words of a text line start once a comment mark is passed.
    size_t wordsFrom() const {
        size_t i = firstWord();
        if (i < kept.size() && (kept[i] == ';' || kept[i] == '\'')) {
            i++;
            while (i < kept.size() && isBlank(kept[i])) i++;
        }
        return i;
    }
};

// A title standing somewhere in the file.
struct TitleSpan {
    uint64_t at = 0;
    int size = 0;
};

// The span from `from` to the line's last word, cut to longestTitle; none
// when the words start past what was kept of the line.
TitleSpan spanOf(const TextLine& text, uint64_t lineStart, size_t from) {
    TitleSpan span;
    if (from >= text.kept.size() || int64_t(from) > text.lastWord) return span;
    span.at = lineStart + from;
    span.size = int(std::min<int64_t>(text.lastWord + 1 - int64_t(from), longestTitle));
    return span;
}

void giveTitle(CollectionEntry& entry, const TitleSpan& span) {
    int64_t from = int64_t(span.at) - int64_t(entry.start);
    if (span.size == 0 || from < std::numeric_limits<int32_t>::min() || from > std::numeric_limits<int32_t>::max()) {
        return;
    }
    entry.titleFrom = int32_t(from);
    entry.titleSize = uint8_t(span.size);
}

// The first reason the level cannot be played, from what its rows hold.
void judge(CollectionEntry& entry, const Tally& level, uint64_t size) {
    int64_t columns = level.right - level.left + 1;
    int64_t rows = level.bottom - level.top + 1;
    auto refuse = [&](Refusal why, int64_t first, int64_t second) {
        entry.refusal = why;
        entry.first = toInt32(first);
        entry.second = toInt32(second);
    };
    if (columns > mostLevelColumns && rows > mostLevelRows) {
        refuse(Refusal::tooBig, columns, rows);
    } else if (columns > mostLevelColumns) {
        refuse(Refusal::tooWide, columns, 0);
    } else if (rows > mostLevelRows) {
        refuse(Refusal::tooTall, rows, 0);
    } else if (size > std::numeric_limits<uint32_t>::max()) {
        refuse(Refusal::tooLong, 0, 0);
    } else if (level.players == 0) {
        refuse(Refusal::noPlayer, 0, 0);
    } else if (level.players > 1) {
        refuse(Refusal::players, level.players, 0);
    } else if (level.boxes == 0) {
        refuse(Refusal::noBoxes, 0, 0);
    } else if (level.boxes != level.targets) {
        refuse(Refusal::boxesAndTargets, level.boxes, level.targets);
    }
    entry.size = uint32_t(std::min<uint64_t>(size, std::numeric_limits<uint32_t>::max()));
}

// Reads the board lines of a listed level again, `size` bytes from `start`,
// into a tally and, when given, a picture. False when they are no longer
// board lines: the file changed since it was listed.
bool rereadRows(std::istream& in, uint64_t start, uint32_t size, Tally& level, LevelPicture* picture,
                int64_t top, int64_t left) {
    in.clear();
    in.seekg(std::streamoff(start));
    if (!in) return false;
    std::streambuf* buffer = in.rdbuf();
    BoardLine line;
    bool first = true;
    auto endLine = [&]() {
        if (!line.isBoardRow()) return false;
        addLine(level, line.tally, first);
        first = false;
        line = BoardLine();
        line.picture = picture;
        line.pictureRow = level.rows - top;
        line.pictureLeft = left;
        return true;
    };
    line.picture = picture;
    line.pictureRow = -top;
    line.pictureLeft = left;
    for (uint32_t i = 0; i < size; i++) {
        int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) return false;
        if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < size && buffer->sgetc() == '\n') {
                buffer->sbumpc();
                i++;
            }
            if (!endLine()) return false;
            continue;
        }
        line.take(char(c));
    }
    return endLine();
}

std::string readTitle(std::istream& in, const CollectionEntry& entry) {
    if (entry.titleSize == 0) return "";
    in.clear();
    in.seekg(std::streamoff(int64_t(entry.start) + entry.titleFrom));
    std::string title(entry.titleSize, ' ');
    in.read(&title[0], entry.titleSize);
    title.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
    // A title is shown and written into messages: no control characters.
    for (char& c : title) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    }
    return title;
}

std::string counted(int32_t count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

}  // namespace

Collection listCollection(std::istream& in) {
    Collection collection;
    std::streamoff origin = in.tellg();
    uint64_t offset = origin > 0 ? uint64_t(origin) : 0;
    std::streambuf* buffer = in.rdbuf();

    int64_t lineNumber = 0;
    uint64_t lineStart = offset;
    BoardLine board;
    TextLine text;
    static const unsigned char byteOrderMark[] = {0xEF, 0xBB, 0xBF};
    int markBytes = 0;  // of a byte order mark opening the file

    bool inLevel = false;
    Tally level;
    CollectionEntry entry;
    uint64_t levelEnd = 0;
    TitleSpan textAbove;        // the text line right above, while no blank line came between
    TitleSpan pendingTitle;     // a "Title:" line seen before its level
    bool titleCanGoBack = false;  // a "Title:" line goes to the level just before while this holds
    bool inComment = false;       // between "Comment:" and "Comment-End:"

    auto finishLevel = [&]() {
        judge(entry, level, levelEnd - entry.start);
        collection.levels.push_back(entry);
        inLevel = false;
    };

    // Decides what the line just read was. False when no more levels can be listed.
    auto endLine = [&]() {
        lineNumber = capped(lineNumber + 1);
        if (inComment) {
            size_t from = 0;
            std::string key = text.key(from);
            if (key == "comment-end" || key == "comment_end") inComment = false;
            return true;
        }
        if (board.isBoardRow()) {
            if (!inLevel) {
                if (collection.levels.size() >= size_t(mostCollectionLevels)) {
                    collection.problem = "more than " + std::to_string(mostCollectionLevels) +
                                         " levels: the rest of the file is not read";
                    return false;
                }
                entry = CollectionEntry();
                entry.start = lineStart;
                entry.firstLine = toInt32(lineNumber);
                giveTitle(entry, pendingTitle.size > 0 ? pendingTitle : textAbove);
                level = Tally();
                addLine(level, board.tally, true);
                inLevel = true;
                titleCanGoBack = pendingTitle.size == 0;
                pendingTitle = TitleSpan();
            } else {
                addLine(level, board.tally, false);
            }
            levelEnd = lineStart + uint64_t(text.length);
            textAbove = TitleSpan();
            return true;
        }
        if (inLevel) finishLevel();
        if (text.isBlankLine()) {
            textAbove = TitleSpan();
            titleCanGoBack = false;
            return true;
        }
        size_t valueFrom = 0;
        std::string key = text.key(valueFrom);
        if (key == "title") {
            TitleSpan title = spanOf(text, lineStart, valueFrom);
            if (titleCanGoBack && !collection.levels.empty()) {
                giveTitle(collection.levels.back(), title);
                titleCanGoBack = false;
            } else {
                pendingTitle = title;
            }
            textAbove = TitleSpan();
        } else if (key == "comment") {
            inComment = int64_t(valueFrom) > text.lastWord;
        } else if (key.empty()) {
            textAbove = spanOf(text, lineStart, text.wordsFrom());
        }
        // Any other "Key: value" line (Author:, Date: ...) leaves the title above alone.
        return true;
    };

    for (;;) {
        int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            if (text.length > 0) endLine();
            break;
        }
        offset++;
        if (c == '\n' || c == '\r') {
            if (c == '\r' && buffer->sgetc() == '\n') {
                buffer->sbumpc();
                offset++;
            }
            if (!endLine()) break;
            board = BoardLine();
            text.clear();
            lineStart = offset;
            continue;
        }
        if (lineNumber == 0 && text.length == 0 && markBytes < 3 &&
            static_cast<unsigned char>(c) == byteOrderMark[markBytes]) {
            markBytes++;
            lineStart++;
            continue;
        }
        board.take(char(c));
        text.take(char(c));
    }
    if (inLevel) finishLevel();
    if (collection.problem.empty() && collection.levels.empty()) collection.problem = "no level was found in it";
    in.clear();
    return collection;
}

std::string refusalText(const CollectionEntry& entry) {
    const std::string most = std::to_string(mostLevelColumns);
    switch (entry.refusal) {
    case Refusal::none: return "";
    case Refusal::tooWide: return std::to_string(entry.first) + " columns: at most " + most;
    case Refusal::tooTall: return std::to_string(entry.first) + " rows: at most " + std::to_string(mostLevelRows);
    case Refusal::tooBig:
        return std::to_string(entry.first) + " columns and " + std::to_string(entry.second) + " rows: at most " +
               most + " columns and " + std::to_string(mostLevelRows) + " rows";
    case Refusal::tooLong: return "its rows take more than 4 GiB of the file";
    case Refusal::noPlayer: return "no player";
    case Refusal::players: return std::to_string(entry.first) + " players";
    case Refusal::noBoxes: return "no boxes";
    case Refusal::boxesAndTargets:
        return counted(entry.first, "box", "boxes") + " and " + counted(entry.second, "target", "targets");
    }
    return "";
}

CollectionLevel collectionLevel(std::istream& in, const Collection& collection, int index) {
    CollectionLevel level;
    if (index < 0 || size_t(index) >= collection.levels.size()) return level;
    const CollectionEntry& entry = collection.levels[size_t(index)];
    level.ordinal = index + 1;
    level.firstLine = entry.firstLine;
    level.title = readTitle(in, entry);
    level.refusal = refusalText(entry);
    if (!level.refusal.empty()) return level;
    // Once to find the rectangle of the cells that hold something, once to draw them.
    Tally shape;
    bool same = rereadRows(in, entry.start, entry.size, shape, nullptr, 0, 0);
    int64_t columns = shape.right - shape.left + 1;
    int64_t rows = shape.bottom - shape.top + 1;
    same = same && shape.top >= 0 && columns <= mostLevelColumns && rows <= mostLevelRows;
    if (same) {
        LevelPicture& picture = level.picture;
        picture.columns = int(columns);
        picture.rows = int(rows);
        picture.lines.assign(size_t(rows), std::string(size_t(columns), ' '));
        Tally drawn;
        same = rereadRows(in, entry.start, entry.size, drawn, &picture, shape.top, shape.left);
        same = same && drawn.players == 1 && drawn.boxes > 0 && drawn.boxes == drawn.targets;
    }
    in.clear();
    if (!same) {
        level.picture = LevelPicture();
        level.refusal = "the file has changed since it was listed";
    }
    return level;
}

std::string describeLevel(const CollectionLevel& level) {
    std::ostringstream out;
    out << "level " << level.ordinal;
    if (!level.title.empty()) out << " \"" << level.title << '"';
    out << " (line " << level.firstLine << ')';
    return out.str();
}

LevelPieces piecesOf(const LevelPicture& picture) {
    LevelPieces pieces;
    for (int row = 0; row < int(picture.lines.size()); row++) {
        const std::string& line = picture.lines[size_t(row)];
        for (int column = 0; column < int(line.size()); column++) {
            char c = line[size_t(column)];
            PictureCell cell = {column, row};
            if (c == '#') pieces.walls.push_back(cell);
            if (c == '$' || c == '*') pieces.boxes.push_back(cell);
            if (c == '.' || c == '*' || c == '+') pieces.targets.push_back(cell);
            if (c == '@' || c == '+') {
                pieces.player = cell;
                pieces.players++;
            }
        }
    }
    return pieces;
}

namespace {

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool endsWithLevelExtension(const std::string& path) {
    if (path.size() < 4) return false;
    std::string end = path.substr(path.size() - 4);
    for (char& c : end) c = char(std::tolower(static_cast<unsigned char>(c)));
    return end == ".kzm";
}

// The last part of a name written with either slash.
// Which file a path opens, whatever the path: its device and its number there.
std::pair<uint64_t, uint64_t> fileIdentity(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return {0, 0};
    return {uint64_t(info.st_dev), uint64_t(info.st_ino)};
}

// The next-level name of a level file: its seventh and eighth tokens are its
// own name and the next one. False when the file holds no such name.
bool nextNameOf(const std::string& path, std::string& next) {
    std::ifstream file(path, std::ios::in | std::ios::binary);
    int32_t number = 0;
    for (int i = 0; i < 6; i++) readInt32(file, number);
    std::string own;
    readName(file, own);
    readName(file, next);
    return !file.fail() && !next.empty();
}

}  // namespace

CollectionKind collectionKind(const std::string& hostPath) {
    if (isFolder(hostPath)) {
        return isOrdinaryFile((fs::path(hostPath) / "level1.kzm").string()) ? CollectionKind::chainFolder
                                                                            : CollectionKind::none;
    }
    if (!isOrdinaryFile(hostPath) || endsWithLevelExtension(hostPath)) return CollectionKind::none;
    return CollectionKind::notationFile;
}

ChainListing listChain(const std::string& folderHostPath) {
    ChainListing chain;
    const fs::path folder(folderHostPath);
    std::string path = (folder / "level1.kzm").string();
    std::set<std::pair<uint64_t, uint64_t>> visited;
    for (;;) {
        if (!isOrdinaryFile(path)) {
            chain.problem = "\"" + path + "\" cannot be opened";
            return chain;
        }
        chain.levels.push_back(path);
        visited.insert(fileIdentity(path));
        std::string next;
        if (!nextNameOf(path, next)) {
            chain.problem = "\"" + path + "\" names no next level";
            return chain;
        }
        if (next == "lastlevel") return chain;
        std::string nextPath = hostPath(resolveLevelName(next, path));
        if (!isOrdinaryFile(nextPath)) {
            chain.problem = "the next level \"" + next + "\" named in \"" + path + "\" cannot be opened";
            return chain;
        }
        if (visited.count(fileIdentity(nextPath)) > 0) {
            chain.problem = "the next level \"" + next + "\" named in \"" + path + "\" loops back";
            return chain;
        }
        if (chain.levels.size() >= size_t(mostCollectionLevels)) {
            chain.problem = "more than " + std::to_string(mostCollectionLevels) + " levels: the rest are not listed";
            return chain;
        }
        path = nextPath;
    }
}

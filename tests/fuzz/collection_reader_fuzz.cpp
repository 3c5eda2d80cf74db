// The collection reader fed arbitrary bytes, as a player may choose any file
// as a collection. Beyond not crashing, every level listed must come back
// either playable or with its reason:
//  - levels stand in the file in order, and no more are listed than the limit;
//  - a refused level has no picture, and a playable one a picture of at most
//    64 x 64 cells, trimmed to what it holds, with one player and as many
//    boxes as targets, at least one;
//  - titles are short and free of control characters;
//  - a picture written back as one row of the notation reads back the same.
#include <sstream>

#include "files/collection_file.h"
#include "fuzz_check.h"

namespace {

// True when the picture's outer rows and columns each hold something.
bool isTrimmed(const LevelPicture& picture) {
    auto rowHolds = [&](int row) { return picture.lines[size_t(row)].find_first_not_of(' ') != std::string::npos; };
    bool left = false, right = false;
    for (const std::string& line : picture.lines) {
        left = left || line.front() != ' ';
        right = right || line.back() != ' ';
    }
    return rowHolds(0) && rowHolds(picture.rows - 1) && left && right;
}

void checkPicture(const LevelPicture& picture) {
    require(picture.columns >= 1 && picture.columns <= mostLevelColumns, "at most 64 columns");
    require(picture.rows >= 1 && picture.rows <= mostLevelRows, "at most 64 rows");
    require(int(picture.lines.size()) == picture.rows, "a line for each row");
    for (const std::string& line : picture.lines) {
        require(int(line.size()) == picture.columns, "every line as wide as the picture");
        require(line.find_first_not_of(" #@+$*.") == std::string::npos, "only the notation's cells");
    }
    require(isTrimmed(picture), "the picture is trimmed to what it holds");
    LevelPieces pieces = piecesOf(picture);
    require(pieces.players == 1, "one player");
    require(!pieces.boxes.empty() && pieces.boxes.size() == pieces.targets.size(), "as many boxes as targets");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(bytesOf(data, size));
    Collection collection = listCollection(in);
    require(collection.levels.size() <= size_t(mostCollectionLevels), "no more levels than the limit");
    require(!collection.levels.empty() || !collection.problem.empty(), "a file without levels says so");
    uint64_t after = 0;
    int lastLine = 0;
    for (int i = 0; i < int(collection.levels.size()); i++) {
        const CollectionEntry& entry = collection.levels[size_t(i)];
        require(entry.start >= after && entry.firstLine > lastLine, "levels stand in the file in order");
        after = entry.start + entry.size;
        lastLine = entry.firstLine;
        require(after <= size, "a level stands inside the file");

        CollectionLevel level = collectionLevel(in, collection, i);
        require(level.ordinal == i + 1, "levels are counted from 1");
        require(level.title.size() <= size_t(longestTitle), "titles are short");
        for (char c : level.title) require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f, "no control characters");
        if (!level.refusal.empty()) {
            require(level.picture.lines.empty(), "a refused level has no picture");
            continue;
        }
        checkPicture(level.picture);
        std::string row;
        for (const std::string& line : level.picture.lines) row += (row.empty() ? "" : "|") + line;
        std::istringstream again(row);
        Collection written = listCollection(again);
        require(written.levels.size() == 1, "a picture written back is one level");
        require(collectionLevel(again, written, 0).picture.lines == level.picture.lines, "and reads back the same");
    }
    return 0;
}

// Collections of levels: files in the common text notation ('#' wall, '@'
// player, '$' box, '.' target, '*' box on a target, '+' player on a target,
// ' ', '-' or '_' floor), many levels to a file, and folders holding a chain
// of the game's own level files.
//
// A notation file is listed once, keeping for each level only where it stands
// in the file and whether it can be played; a level's cells are read again
// from the file when they are wanted. So a file of any size is listed in
// little memory, and every level that cannot be played says why.
#pragma once

#include <cstdint>
#include <deque>
#include <istream>
#include <string>
#include <vector>

// The largest level a collection may hold, in cells across and down.
constexpr int mostLevelColumns = 64;
constexpr int mostLevelRows = 64;
// The most levels listed from one file; past them the file is read no further.
constexpr int mostCollectionLevels = 1000000;
// Titles are cut to this many bytes.
constexpr int longestTitle = 255;

// Why a level of a collection cannot be played, the first reason that applies.
enum class Refusal : uint8_t {
    none,
    tooWide,         // first: its columns
    tooTall,         // first: its rows
    tooBig,          // first: its columns, second: its rows
    tooLong,         // its rows take more of the file than can be listed
    noPlayer,
    players,         // first: how many
    noBoxes,
    boxesAndTargets  // first: boxes, second: targets, which differ
};

// Where one level of a notation file stands, and its verdict. Its ordinal is
// its place in the listing, counting from 1.
struct CollectionEntry {
    uint64_t start = 0;     // byte where the line of its first row begins
    uint32_t size = 0;      // bytes from there to the end of its last row
    int32_t firstLine = 0;  // the file's line of its first row, counting from 1
    int32_t titleFrom = 0;  // byte where its title begins, counted from `start`
    uint8_t titleSize = 0;  // 0 when it has none
    Refusal refusal = Refusal::none;
    int32_t first = 0;      // the numbers its refusal gives
    int32_t second = 0;
};

// Every level of a notation file, in order.
struct Collection {
    std::deque<CollectionEntry> levels;  // a deque grows without copying what it holds
    std::string problem;  // why the file, or the rest of it, could not be read, or ""
};

// A level as drawn, of any size up to mostLevelColumns x mostLevelRows: the
// rectangle of cells that hold something, floor written ' '. Floor outside
// its walls, and an outside left open, are kept as drawn.
struct LevelPicture {
    int columns = 0;
    int rows = 0;
    std::vector<std::string> lines;  // `rows` lines of `columns` cells each
};

// One level of a collection, as a caller shows or plays it.
struct CollectionLevel {
    int ordinal = 0;      // 1 for the first level of the collection
    int firstLine = 0;    // the file's line of its first row
    std::string title;    // from a "Title:" line, or the line of text just above
    std::string refusal;  // why it cannot be played, or "" when it can
    LevelPicture picture; // empty when it is refused
};

// Lists the levels of a collection. A run of board lines makes a level; blank
// lines, comments (';' or '\''), titles, "Key: value" lines and "Comment:" ...
// "Comment-End:" blocks separate them. The stream must be able to seek back,
// as a file or a string stream can, for the levels to be read again.
Collection listCollection(std::istream& in);

// The whole of one listed level, read again from the stream it was listed from.
CollectionLevel collectionLevel(std::istream& in, const Collection& collection, int index);

// The reason in plain words ("no player", "5 boxes and 4 targets",
// "70 columns: at most 64"), or "" when the level can be played.
std::string refusalText(const CollectionEntry& entry);

// "level 3 "Title" (line 40)": how messages name a level of a collection.
std::string describeLevel(const CollectionLevel& level);

// A cell of a level picture, counted from its top-left corner.
struct PictureCell {
    int column;
    int row;
};

// What stands on a level picture, each list in reading order (row by row,
// left to right). A box on a target is in both lists.
struct LevelPieces {
    std::vector<PictureCell> walls;
    std::vector<PictureCell> boxes;
    std::vector<PictureCell> targets;
    PictureCell player = {-1, -1};  // the last player read, when there is any
    int players = 0;
};

LevelPieces piecesOf(const LevelPicture& picture);

// What a path chosen as a collection holds.
enum class CollectionKind {
    none,          // nothing that can be opened, a folder without level1.kzm, or a single level file
    notationFile,  // any ordinary file but a .kzm level
    chainFolder    // a folder whose level1.kzm starts a chain of level files
};

CollectionKind collectionKind(const std::string& hostPath);

// The levels of a chain folder in playing order, followed from level1.kzm by
// the next-level name inside each file.
struct ChainListing {
    std::vector<std::string> levels;  // this system's paths of the level files
    std::string problem;              // why the chain stops before its last level, or ""
};

// A name written in a file is looked for by its last part in the chain's own
// folder first (the game writes names from its own folder, or from a folder
// since moved), and as written when it is not there.
ChainListing listChain(const std::string& folderHostPath);

// The player's best solutions, one records file for each collection, kept in
// the player's folder under records/. A collection and its levels are known
// by what they hold, not by their file's name: a renamed or moved file keeps
// its records, and so does a level moved within its file.
//
// A level's key is the 64-bit FNV-1a hash of its picture in the common
// notation, each row without the floor at its end, rows joined by '\n'. A
// collection's key is the same hash over its levels' keys in order, each
// written as 16 hex digits and followed by '\n'. The records file is
// records/<collection key>.txt, plain text a person can read:
//
//   boxyard records 1
//   collection Microban
//   level 7 key 0123456789abcdef
//   moves 12 pushes 3 rrUdlLLurR
//   pushes 3 moves 12 rrUdlLLurR
//   level 9 key ...
//
// The first line names the format, the second the collection, for people
// only. Then three lines for each level solved: its number in the collection
// when it was last solved (for people: records are found by the key), the
// best solution by moves (its moves, its pushes, its letters) and the best by
// pushes (its pushes, its moves, its letters). A solution is written in the
// common letters, u d l r for a step and U D L R for a push. The words of a
// level's lines may be parted by more than one blank, blank lines may stand
// between levels, and lines may end "\r\n", as an editor may leave them.
// Anything else, or counts that do not match their letters, make the file
// unreadable as a whole.
#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <string>
#include <vector>

#include "files/collection_file.h"
#include "files/file_result.h"

// The longest solution kept, in letters; a longer one is not recorded.
constexpr size_t mostSolutionLetters = 1000000;
// The most levels recorded for one collection.
constexpr size_t mostRecordedLevels = 100000;
// The most letters kept for one collection, all solutions together, so that a
// records file of any size is read in bounded memory.
constexpr size_t mostRecordedLetters = size_t(64) << 20;

// One solution and what it costs.
struct Solution {
    uint32_t moves = 0;
    uint32_t pushes = 0;
    std::string letters;  // empty when there is none yet
};

// The records of one level.
struct LevelRecord {
    int32_t number = 0;  // the level's place in its collection, for people
    Solution byMoves;    // the fewest moves, and of those the fewest pushes
    Solution byPushes;   // the fewest pushes, and of those the fewest moves
};

// The records of one collection, by level key, and how many letters they keep.
struct Records {
    std::map<uint64_t, LevelRecord> levels;
    size_t letters = 0;
};

uint64_t levelKey(const LevelPicture& picture);
uint64_t collectionKey(const std::vector<uint64_t>& levelKeys);
// The keys of every level of a listed notation file, in order, read again
// from the stream it was listed from. A level that cannot be played has the
// key of an empty picture.
std::vector<uint64_t> levelKeysOf(std::istream& in, const Collection& collection);
// 16 lower-case hex digits.
std::string keyText(uint64_t key);

// playerFolder()/records/<key>.txt
std::string recordsPath(uint64_t collectionKey);

// Counts the moves and pushes of a solution written in the common letters.
// False when it holds anything else, or is empty or longer than
// mostSolutionLetters.
bool countSolution(const std::string& letters, Solution& solution);

// Keeps a level's solution where it does better than the records: by moves
// (a tie in moves broken by fewer pushes) or by pushes (a tie broken by fewer
// moves). True when either record improved. A solution that cannot be
// counted, or would take the records past their limits, is not kept.
bool noteSolution(Records& records, uint64_t levelKey, const std::string& letters, int32_t levelNumber);

// Reads a records file into `records`, which is emptied first and stays empty
// unless the whole file could be read. Malformed with the line and what is
// wrong with it.
FileResult readRecords(std::istream& in, Records& records);
// Missing when the path names no ordinary file that can be opened.
FileResult readRecords(const std::string& path, Records& records);

void writeRecords(std::ostream& out, const Records& records, const std::string& collectionName);
// Writes the file with writeFileSafely, making its folder first if need be.
FileResult writeRecords(const std::string& path, const Records& records, const std::string& collectionName);

// Reads the records of a collection as the game starts on it. Done, or
// missing when none were kept yet: `records` is then empty and nothing needs
// saying. A file that cannot be read is never lost and never replaced: it is
// renamed <path>.damaged-<n>, the first n not yet taken, and the records
// start afresh; the outcome is then malformed, and the reason is a line for
// the error stream saying why and where the file went. When it cannot be
// renamed the outcome is notWritten: the records start afresh but must not be
// written over it.
FileResult openRecords(const std::string& path, Records& records);

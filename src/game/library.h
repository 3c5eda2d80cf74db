// The player's library: the collection a level belongs to, its levels, and
// the player's best solutions of them, kept in the records folder and written
// the moment a level is won. The shipped chain is a collection like any other.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/collection_file.h"
#include "files/records_file.h"

struct PlayedCollection {
    std::string path;                     // the notation file, or the folder of the chain
    bool isChain = false;
    std::string name;                     // for people: the file's or the folder's name
    std::vector<std::string> levelNames;  // the game's names of its levels, from level 1
    std::vector<uint64_t> keys;           // each level's key, as its records know it
    Records records;
    std::string recordsFile;
    bool recordsWritable = true;  // false while a damaged file could not be set aside
};

// The collection that holds the named level, opened (listed, keyed, its
// records read) when it is not the one open already. Null when the level is
// of no collection the game can list.
PlayedCollection* collectionOfLevel(const std::string& levelName);
// The collection at a path (a notation file or a chain folder), opened as
// collectionOfLevel opens it.
PlayedCollection* collectionAt(const std::string& path, bool isChain);
// The number of the named level in its collection, from 1; 0 when it is not one of them.
int numberInCollection(const PlayedCollection& collection, const std::string& levelName);

// The first level of the collection not solved yet, or 1 when all are.
int firstUnsolvedLevel(const PlayedCollection& collection);
// The records of level `number`, or null when it has none.
const LevelRecord* recordOf(const PlayedCollection& collection, int number);

// Keeps the solution of the level just won in its collection's records, when
// it is better by moves or by pushes; the records file is written at once.
void recordWin(const std::string& levelName, const std::string& letters);

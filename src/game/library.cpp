// Opening a collection for its records: the levels listed and keyed once,
// the records file read (a damaged one set aside with a line on the error
// stream), and each win written back with the safe write.
#include "game/library.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "files/collection_level.h"
#include "files/level_file.h"
#include "files/paths.h"
#include "rules/board.h"

namespace fs = std::filesystem;

namespace {

PlayedCollection open;

std::string canonical(const std::string& path) {
    std::error_code error;
    const fs::path full = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? path : full.string();
}

bool listNotationFile(PlayedCollection& collection) {
    FileResult listed;
    const Collection& levels = listedCollection(collection.path, listed);
    if (!listed || levels.levels.empty()) return false;
    std::ifstream file(collection.path, std::ios::in | std::ios::binary);
    collection.keys = levelKeysOf(file, levels);
    for (size_t i = 0; i < levels.levels.size(); i++) {
        collection.levelNames.push_back(collectionLevelName(collection.path, int(i) + 1));
    }
    return true;
}

// A chain's levels are keyed by their pictures, each level file read into the
// Board in turn; the Board is left as it was.
bool listChainFolder(PlayedCollection& collection) {
    const ChainListing chain = listChain(collection.path);
    if (chain.levels.empty()) return false;
    const Board saved = board;
    for (const std::string& level : chain.levels) {
        // Named by their canonical paths, so a level is known however it was reached.
        const std::string name = gameName(canonical(level));
        collection.levelNames.push_back(name);
        collection.keys.push_back(loadLevel(name) ? levelKey(pictureOfBoardAtStart()) : levelKey(LevelPicture()));
    }
    board = saved;
    return true;
}

void readRecordsOf(PlayedCollection& collection) {
    collection.recordsFile = recordsPath(collectionKey(collection.keys));
    const FileResult read = openRecords(collection.recordsFile, collection.records);
    collection.recordsWritable = read.outcome != FileOutcome::notWritten;
    if (read.outcome == FileOutcome::malformed || read.outcome == FileOutcome::notWritten) {
        std::fprintf(stderr, "boxyard: %s\n", read.reason.c_str());
    }
}

}  // namespace

PlayedCollection* collectionAt(const std::string& path, bool isChain) {
    const std::string full = canonical(path);
    if (!open.path.empty() && open.path == full && open.isChain == isChain) return &open;
    PlayedCollection collection;
    collection.path = full;
    collection.isChain = isChain;
    collection.name = fs::path(full).filename().string();
    // The shipped chain, in the game's own folder, goes by the game's name.
    if (isChain && full == canonical("levels")) collection.name = "boxyard";
    if (!(isChain ? listChainFolder(collection) : listNotationFile(collection))) return nullptr;
    readRecordsOf(collection);
    open = std::move(collection);
    return &open;
}

PlayedCollection* collectionOfLevel(const std::string& levelName) {
    std::string path;
    int number = 0;
    if (isCollectionLevelName(levelName, path, number)) return collectionAt(path, false);
    const fs::path folder = fs::path(hostPath(levelName)).parent_path();
    return collectionAt(folder.empty() ? "." : folder.string(), true);
}

int numberInCollection(const PlayedCollection& collection, const std::string& levelName) {
    std::string path;
    int number = 0;
    if (isCollectionLevelName(levelName, path, number)) {
        return number <= int(collection.levelNames.size()) ? number : 0;
    }
    const std::string name = gameName(canonical(hostPath(levelName)));
    for (size_t i = 0; i < collection.levelNames.size(); i++) {
        if (collection.levelNames[i] == name) return int(i) + 1;
    }
    return 0;
}

const LevelRecord* recordOf(const PlayedCollection& collection, int number) {
    if (number < 1 || number > int(collection.keys.size())) return nullptr;
    const auto found = collection.records.levels.find(collection.keys[size_t(number - 1)]);
    return found == collection.records.levels.end() ? nullptr : &found->second;
}

int firstUnsolvedLevel(const PlayedCollection& collection) {
    for (int number = 1; number <= int(collection.keys.size()); number++) {
        if (!recordOf(collection, number) && canOpenLevel(collection.levelNames[size_t(number - 1)])) return number;
    }
    return 1;
}

void recordWin(const std::string& levelName, const std::string& letters) {
    if (letters.empty()) return;
    PlayedCollection* collection = collectionOfLevel(levelName);
    if (!collection) return;
    const int number = numberInCollection(*collection, levelName);
    if (number == 0) return;
    if (!noteSolution(collection->records, collection->keys[size_t(number - 1)], letters, number)) return;
    if (!collection->recordsWritable) return;
    const FileResult written = writeRecords(collection->recordsFile, collection->records, collection->name);
    if (!written) {
        std::fprintf(stderr, "boxyard: could not keep the records in %s (%s)\n", collection->recordsFile.c_str(),
                     written.reason.c_str());
    }
}

// The chooser's view of a collection: each level's title, whether and how
// well it has been solved, and its picture, asked for a page at a time.
#include "game/level_choice.h"

#include <fstream>

#include "files/collection_level.h"
#include "files/level_file.h"
#include "files/paths.h"
#include "game/replay.h"
#include "game/session.h"
#include "rules/board.h"
#include "view/level_chooser.h"

namespace {

// A level of a collection as it is read from its file, or from a chain's level
// file through the Board, which is left as it was.
CollectionLevel levelOf(const PlayedCollection& collection, int number) {
    CollectionLevel level;
    level.ordinal = number;
    if (collection.isChain) {
        const Board saved = board;
        if (loadLevel(collection.levelNames[size_t(number - 1)])) {
            level.picture = pictureOfBoardAtStart();
        } else {
            level.refusal = "cannot be opened";
        }
        board = saved;
        return level;
    }
    FileResult listed;
    const Collection& listing = listedCollection(collection.path, listed);
    std::ifstream file(collection.path, std::ios::in | std::ios::binary);
    if (!listed || number > int(listing.levels.size()) || !file.is_open()) {
        level.refusal = "cannot be read";
        return level;
    }
    return collectionLevel(file, listing, number - 1);
}

ChooserModel modelOf(const PlayedCollection& collection) {
    ChooserModel model;
    model.collectionName = collection.name;
    model.count = int(collection.levelNames.size());
    model.solvedCount = 0;
    for (int number = 1; number <= model.count; number++) {
        if (recordOf(collection, number)) model.solvedCount++;
    }
    model.level = [&collection](int number) {
        const CollectionLevel level = levelOf(collection, number);
        ChooserLevel shown;
        shown.number = number;
        shown.title = level.title;
        shown.refusal = level.refusal;
        const LevelRecord* record = recordOf(collection, number);
        shown.solved = record != nullptr;
        shown.bestMoves = record ? record->byMoves.moves : 0;
        shown.bestPushes = record ? record->byPushes.pushes : 0;
        return shown;
    };
    model.picture = [&collection](int number) { return levelOf(collection, number).picture; };
    return model;
}

}  // namespace

bool chooseLevel(PlayedCollection& collection, int startAt, std::string& levelName, int& number) {
    for (;;) {
        const ChooserChoice choice = runLevelChooser(media.sprites, media.screens, modelOf(collection), startAt);
        if (choice.action == ChooserAction::back) return false;
        startAt = choice.number;
        const std::string name = collection.levelNames[size_t(choice.number - 1)];
        if (!canOpenLevel(name)) continue;
        if (choice.action == ChooserAction::play) {
            levelName = name;
            number = choice.number;
            return true;
        }
        // P: the best by moves, from the level's start, changing nothing kept.
        const LevelRecord* record = recordOf(collection, choice.number);
        if (!record || !openLevel(name)) continue;
        board.levelNumber = choice.number;
        board.stepsTaken = 0;
        board.timesPushed = 0;
        replaySolution(record->byMoves.letters);
    }
}

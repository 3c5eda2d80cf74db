// The menu loop and what each of its entries leads to. Play returns here when
// the player leaves a level; the menu is never opened from inside play.
#include "game/session.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "files/collection_level.h"
#include "files/level_file.h"
#include "files/paths.h"
#include "files/player_files.h"
#include "files/recent_collections.h"
#include "files/saved_game.h"
#include "game/level_choice.h"
#include "game/library.h"
#include "game/play_loop.h"
#include "input/close_request.h"
#include "rules/board.h"
#include "rules/history.h"
#include "solve/hint.h"
#include "view/board_notes.h"
#include "view/menu_entries.h"
#include "view/music.h"
#include "view/save_dialogs.h"
#include "view/title_menu.h"

GameMedia media = {nullptr, nullptr};
bool levelInPlay = false;

void showMessage(const char* text) { allegro_message("%s", text); }

void endGame(int status) {
    stop_midi();
    if (MIDI* tune = currentTune()) destroy_midi(tune);
    if (media.sprites) unload_datafile(media.sprites);
    if (media.screens) unload_datafile(media.screens);
    media = {nullptr, nullptr};
    stopReadingWindowEvents();
    // The library's own shutdown was registered with atexit at start-up.
    std::exit(status);
}

void endOnClose() {
    if (levelInPlay) keepProgress();
    // Closing is no failure, as leaving through the menu's Exit is not.
    endGame(0);
}

void keepProgress() { keepProgress(savedGameOfBoard()); }

void keepProgress(const SavedGame& game) {
    FileResult written = writeAutosaveFile(game);
    if (written) return;
    // Nothing in front of the player: a lost autosave is no reason to stop
    // the game, and the next one may well succeed.
    std::fprintf(stderr, "boxyard: could not keep the progress in %s (%s)\n", autosavePath().c_str(),
                 written.reason.c_str());
}

bool openLevel(const std::string& fileName) {
    if (!loadLevel(fileName)) {
        showMessage("Unable to read file!");
        return false;
    }
    // A level file names itself as it was named where it was made; when that
    // name does not lead back to it from here, the game keeps the name it was
    // opened by, so a restart or the autosave finds it again.
    const std::string& own = board.layout.currentLevelFile;
    const std::string resolved = resolveLevelName(own, fileName);
    board.layout.currentLevelFile = own == fileName || canOpenLevel(resolved) ? resolved : fileName;
    resetHistory();
    forgetHintPlan();
    resetBoardNotes();
    return true;
}

bool startLevel(const std::string& level, int32_t number) {
    if (!openLevel(level)) return false;
    board.levelNumber = number;
    board.stepsTaken = 0;
    board.timesPushed = 0;
    return true;
}

namespace {

bool startNewGame() {
    std::string collection;
    int number = 1;
    isCollectionLevelName(firstLevelFile, collection, number);
    return startLevel(firstLevelFile, number);
}

std::string openNotationFile(const std::string& path, int number, std::string& problem) {
    FileResult listed;
    const Collection& collection = listedCollection(path, listed);
    if (!listed) {
        problem = listed.reason;
        return "";
    }
    std::ifstream file(path, std::ios::in | std::ios::binary);
    for (size_t i = 0; i < collection.levels.size(); i++) {
        const CollectionEntry& entry = collection.levels[i];
        if (entry.refusal == Refusal::none) continue;
        std::fprintf(stderr, "boxyard: %s of %s cannot be played: %s\n",
                     describeLevel(collectionLevel(file, collection, int(i))).c_str(), path.c_str(),
                     refusalText(entry).c_str());
    }
    if (!collection.problem.empty()) std::fprintf(stderr, "boxyard: %s: %s\n", path.c_str(), collection.problem.c_str());
    const int first = playableLevelFrom(collection, 1);
    if (first == 0) {
        problem = "no level of " + path + " can be played";
        return "";
    }
    if (number > int(collection.levels.size())) {
        problem = "there is no level " + std::to_string(number) + " in " + path + ", which has " +
                  std::to_string(collection.levels.size());
        return "";
    }
    // Without a level asked for, the first that can be played.
    if (number == 0) number = first;
    if (collection.levels[size_t(number - 1)].refusal != Refusal::none) {
        problem = "level " + std::to_string(number) + " of " + path + " cannot be played: " +
                  refusalText(collection.levels[size_t(number - 1)]);
        return "";
    }
    firstLevelFile = collectionLevelName(path, first);
    return collectionLevelName(path, number);
}

std::string openChainFolder(const std::string& folder, int number, std::string& problem) {
    if (holdsBlank(folder)) {
        problem = "a level folder's name cannot hold a blank: \"" + folder + "\"";
        return "";
    }
    const ChainListing chain = listChain(folder);
    if (!chain.problem.empty()) std::fprintf(stderr, "boxyard: %s\n", chain.problem.c_str());
    if (chain.levels.empty()) {
        problem = "there is no level1.kzm in \"" + folder + "\" to start a game with";
        return "";
    }
    if (number == 0) number = 1;
    if (number > int(chain.levels.size())) {
        problem = "there is no level " + std::to_string(number) + " in " + folder + ", which has " +
                  std::to_string(chain.levels.size());
        return "";
    }
    firstLevelFile = gameName(chain.levels[0]);
    return gameName(chain.levels[size_t(number - 1)]);
}

// The selector opens in the folder where the last collection opened was.
std::string whereTheLastCollectionWas() {
    std::vector<std::string> recent;
    readRecentCollections(recentCollectionsPath(), recent);
    if (recent.empty()) return std::string();
    const std::string folder = std::filesystem::path(recent.front()).parent_path().string();
    return folder.empty() || folder == "/" ? folder : folder + "/";
}

// The chooser over the collection a level belongs to, at its first level not
// yet solved; true when a level was picked and opened to play.
bool chooseAndStart(const std::string& anyLevel) {
    PlayedCollection* collection = collectionOfLevel(anyLevel);
    if (!collection) {
        showMessage("Unable to read file!");
        return false;
    }
    std::string level;
    int number = 0;
    return chooseLevel(*collection, firstUnsolvedLevel(*collection), level, number) && startLevel(level, number);
}

bool openChosenCollection() {
    std::string path;
    if (!chooseCollection(path, whereTheLastCollectionWas())) return false;
    std::string problem;
    const std::string level = openCollection(path, 0, problem);
    if (level.empty()) {
        showMessage(("Unable to open this collection: " + problem).c_str());
        return false;
    }
    return chooseAndStart(level);
}

// A saved game, or the autosave, picked in the file selector: its level from
// the start, with the level number and the counters as they were kept.
bool continueSavedGame() {
    std::string path;
    if (!chooseSavedGame(path)) return false;
    SavedGame game = savedGameOfBoard();
    if (!readSavedGameFile(path, game) || !canOpenLevel(game.levelFile)) {
        showMessage("Unable to read file!");
        return false;
    }
    restoreSavedGame(game);
    return openLevel(board.layout.currentLevelFile);
}

}  // namespace

std::string openCollection(const std::string& path, int number, std::string& problem) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    std::string full = error ? path : absolute.lexically_normal().string();
    // A level file of a chain stands for its folder.
    const std::filesystem::path asFile(full);
    if (collectionKind(full) == CollectionKind::none && asFile.extension() == ".kzm" && isOrdinaryFile(full)) {
        full = asFile.parent_path().string();
    }
    std::string level;
    switch (collectionKind(full)) {
        case CollectionKind::notationFile: level = openNotationFile(full, number, problem); break;
        case CollectionKind::chainFolder: level = openChainFolder(full, number, problem); break;
        case CollectionKind::none:
            problem = "\"" + path + "\" is neither a file of levels nor a folder holding level1.kzm";
            break;
    }
    // Remembered, most recent first, for the next O.
    if (!level.empty()) rememberCollection(full);
    return level;
}

void runSession(const std::string& firstPlay, int32_t number, bool chooseFirst) {
    showTitle(media.screens);
    playRandomMusic();
    int entry = menuNewGame;
    bool play = false;
    if (!firstPlay.empty()) play = chooseFirst ? chooseAndStart(firstPlay) : startLevel(firstPlay, number);
    for (;;) {
        if (!play) {
            levelInPlay = false;
            const int chosen = runMainMenu(media.screens, entry);
            if (chosen == menuOpenCollection) {
                play = openChosenCollection();
            } else if (chosen == menuChooseLevel) {
                // The collection New Game starts: the one opened last, or the shipped chain.
                play = chooseAndStart(firstLevelFile);
            } else {
                entry = chosen;
                switch (entry) {
                    case menuNewGame: play = startNewGame(); break;
                    case menuSavedGame: play = continueSavedGame(); break;
                    case menuInstructions: showInstructions(media.screens); break;
                    case menuExit: endGame(0);
                }
            }
            if (!play) continue;
        }
        play = false;
        levelInPlay = true;
        runPlayLoop();
        // Back from play, the menu opens on its first entry.
        entry = menuNewGame;
    }
}

// The menu loop and what each of its entries leads to. Play returns here when
// the player leaves a level; the menu is never opened from inside play.
#include "game/session.h"

#include <cstdio>
#include <cstdlib>

#include "files/level_file.h"
#include "files/player_files.h"
#include "files/saved_game.h"
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
    resetHistory();
    forgetHintPlan();
    resetBoardNotes();
    return true;
}

namespace {

bool startNewGame() {
    if (!openLevel(firstLevelFile)) return false;
    board.levelNumber = 1;
    board.stepsTaken = 0;
    board.timesPushed = 0;
    return true;
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

void runSession() {
    showTitle(media.screens);
    playRandomMusic();
    int entry = menuNewGame;
    for (;;) {
        levelInPlay = false;
        entry = runMainMenu(media.screens, entry);
        bool play = false;
        switch (entry) {
            case menuNewGame: play = startNewGame(); break;
            case menuSavedGame: play = continueSavedGame(); break;
            case menuInstructions: showInstructions(media.screens); break;
            case menuExit: endGame(0);
        }
        if (!play) continue;
        levelInPlay = true;
        runPlayLoop();
        // Back from play, the menu opens on its first entry.
        entry = menuNewGame;
    }
}

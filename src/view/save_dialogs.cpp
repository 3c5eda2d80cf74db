// The file selector for saving and continuing. Neither ever ends the game: a
// save that fails leaves the old file whole and says so, and a saved game that
// cannot be continued leaves the player in the menu.
#include "view/save_dialogs.h"

#include <allegro.h>

#include <fstream>

#include "files/level_file.h"
#include "files/paths.h"
#include "files/saved_game.h"
#include "shell/seam.h"

char savedGamePath[4096] = "";

namespace {

bool choosePath(const char* message) {
    return file_select_ex(message, savedGamePath, "kzs", int(sizeof savedGamePath), OLD_FILESEL_WIDTH,
                          OLD_FILESEL_HEIGHT) != 0;
}

}  // namespace

void saveGame() {
    show_mouse(screen);
    if (choosePath("Save game as?") && !saveGameFile(savedGamePath, savedGameOfBoard())) {
        showMessage("Unable to write file!");
    }
    show_mouse(nullptr);
}

int loadSavedGame() {
    show_mouse(screen);
    bool chosen = choosePath("Load save file");
    show_mouse(nullptr);
    if (!chosen) return 0;
    std::ifstream file;
    if (isOrdinaryFile(savedGamePath)) file.open(savedGamePath, std::ios::in | std::ios::binary);
    SavedGame game = savedGameOfBoard();
    if (file.is_open()) readSavedGame(file, game);
    if (!file.is_open() || !canOpenLevel(game.levelFile)) {
        showMessage("Unable to read file!");
        return 0;
    }
    restoreSavedGame(game);
    return -1;
}

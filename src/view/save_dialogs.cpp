// The file selector for saving and continuing. Neither ever ends the game: a
// save that fails leaves the old file whole and says so, and a saved game that
// cannot be continued leaves the player in the menu. Both open in the
// player's own folder; a file anywhere else is reached by typing its path.
#include "view/save_dialogs.h"

#include <allegro.h>

#include <cstring>
#include <fstream>
#include <string>

#include "files/level_file.h"
#include "files/paths.h"
#include "files/player_files.h"
#include "files/saved_game.h"
#include "shell/seam.h"
#include "view/key_waits.h"

char savedGamePath[4096] = "";

namespace {

// Copies a path into a selector's buffer; false, with the buffer untouched,
// when it does not fit.
bool putPath(char (&buffer)[4096], const std::string& path) {
    if (path.size() >= sizeof buffer) return false;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return true;
}

// Until the player has chosen a file in this run, the selector opens on the
// player's folder, made if it is not there yet.
void startInPlayerFolder() {
    makePlayerFolder();
    if (savedGamePath[0] == '\0') putPath(savedGamePath, playerFolder() + "/");
}

bool choosePath(const char* message, char (&path)[4096]) {
    show_mouse(screen);
    // The S or Enter that opened the selector must not type into it as it repeats.
    ignoreRepeatsOfHeldKeys();
    bool chosen = file_select_ex(message, path, "kzs", int(sizeof path), OLD_FILESEL_WIDTH, OLD_FILESEL_HEIGHT) != 0;
    show_mouse(nullptr);
    return chosen;
}

}  // namespace

void saveGame() {
    startInPlayerFolder();
    if (choosePath("Save game as?", savedGamePath) && !saveGameFile(savedGamePath, savedGameOfBoard())) {
        showMessage("Unable to write file!");
    }
}

int loadSavedGame() {
    startInPlayerFolder();
    // The autosave is where the player left off: chosen already, so that
    // Enter goes on from there.
    const std::string autosave = autosavePath();
    char path[4096];
    if (!isOrdinaryFile(autosave) || !putPath(path, autosave)) putPath(path, savedGamePath);
    if (!choosePath("Load save file", path)) return 0;
    if (autosave != path) putPath(savedGamePath, path);
    std::ifstream file;
    if (isOrdinaryFile(path)) file.open(path, std::ios::in | std::ios::binary);
    SavedGame game = savedGameOfBoard();
    if (file.is_open()) readSavedGame(file, game);
    if (!file.is_open() || !canOpenLevel(game.levelFile)) {
        showMessage("Unable to read file!");
        return 0;
    }
    restoreSavedGame(game);
    return -1;
}

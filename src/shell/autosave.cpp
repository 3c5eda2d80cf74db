// The autosave: the saved-game file under a fixed name in the player's folder.
#include "shell/autosave.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/player_files.h"

bool levelInPlay = false;

void writeAutosave(const SavedGame& game) {
    const std::string path = autosavePath();
    errno = 0;
    if (makePlayerFolder() && saveGameFile(path, game)) return;
    // Nothing in front of the player: a lost autosave is no reason to stop
    // the game, and the next one may well succeed.
    std::fprintf(stderr, "boxyard: could not keep the progress in %s (%s)\n", path.c_str(),
                 errno ? std::strerror(errno) : "write failed");
}

// The player's own folder, where saved games and the autosave live: apart
// from the game's installed files, so that a rebuild, an upgrade or a
// read-only installation never touches them.
#pragma once

#include <string>

#include "files/file_result.h"
#include "files/saved_game.h"

// $XDG_DATA_HOME/boxyard, or ~/.local/share/boxyard when XDG_DATA_HOME is
// unset, empty or not an absolute path. No slash at the end.
std::string playerFolder();
// Creates the player's folder and any missing folders above it. True when it
// is there afterwards.
bool makePlayerFolder();
// Creates an absolute folder and any missing folders above it, only for the
// player, as the player's folder is made. True when it is there afterwards.
bool makeFolder(const std::string& folder);
// The file the game keeps the player's progress in without being asked.
std::string autosavePath();
// Writes the game into the autosave, in the saved-game format and with the
// same safe write, making the player's folder first if need be.
FileResult writeAutosaveFile(const SavedGame& game);

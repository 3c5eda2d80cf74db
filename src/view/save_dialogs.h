// The library's file selector, for saving the game with S, choosing a saved
// game to continue and a collection to open from the menu.
#pragma once

#include <string>

// The path both selectors open on: the one chosen last in this run, at first
// the player's folder.
extern char savedGamePath[4096];

// Asks where to save the game. True, with the path, when a file was chosen.
bool chooseSaveFile(std::string& path);
// Asks for a collection to open: a file of levels in the common notation, or
// a level file of a chain, which stands for its folder. It opens on `startAt`
// (the last collection opened) when given, otherwise on the player's folder.
// True, with the path, when a file was chosen.
bool chooseCollection(std::string& path, const std::string& startAt);
// Asks for a saved game to continue, opening on the autosave when there is
// one, so that Enter goes on where the player left off. True, with the path,
// when a file was chosen.
bool chooseSavedGame(std::string& path);

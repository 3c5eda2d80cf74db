// Saving the game with S and continuing it from the menu, through the
// library's file selector.
#pragma once

// The path both selectors open on: the one chosen last in this run, at first
// the player's folder. Continue opens on the autosave instead when there is one.
extern char savedGamePath[4096];

// Asks for a file name and saves the game there. A file that cannot be written
// is reported as "Unable to write file!" and play goes on; the old file of
// that name, if any, is left as it was.
void saveGame();
// Asks for a saved game and puts its level name, level number and counters
// into the Board. -1 when the game can go on with that level; 0 when the
// selector was cancelled, or when the file or the level it names cannot be
// read ("Unable to read file!"), with the Board unchanged.
int loadSavedGame();

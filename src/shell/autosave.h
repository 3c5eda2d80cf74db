// Keeping the player's progress without being asked: autosave.kzs in the
// player's folder, written when a level is won and the next opens, when the
// player leaves a level for the menu, and when the window is closed in play.
#pragma once

#include "files/saved_game.h"

// True while a level is being played, its prompts and the save selector
// included; false in the menu, on the pages and on the end screens, where
// there is no game in progress whose position is not already kept.
extern bool levelInPlay;

// Writes the position into the autosave, in the saved-game format and with
// the same safe write. A failure is one line on standard error: play goes on,
// and the earlier autosave stays whole.
void writeAutosave(const SavedGame& game);

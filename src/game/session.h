// The session: one place that decides where the player goes next. A new game,
// a continued one, a restart, the next level, leaving for the menu, the end of
// a set, when the autosave is written, and how the game ends. The screens only
// ask and draw; the readers only report; what follows is decided here.
#pragma once

#include <allegro.h>

#include <string>

#include "files/saved_game.h"

// What the game has loaded and releases when it ends.
struct GameMedia {
    DATAFILE* sprites;
    DATAFILE* screens;
};

extern GameMedia media;

// True while a level is being played, its prompts and the save selector
// included; false in the menu, on the pages and on the end screens, where
// there is no game in progress whose position is not already kept.
extern bool levelInPlay;

// The one message box of the game: shows the text and waits until it is
// dismissed.
void showMessage(const char* text);
// The one way the game ends: everything loaded is released, then the process
// ends with the status (0 for leaving or closing, 1 for a game that cannot
// start).
[[noreturn]] void endGame(int status);
// The close action: the level in play, if any, is kept in the autosave, and
// the game ends with status 0.
[[noreturn]] void endOnClose();

// Keeps the game in the autosave: the level in the Board as it stands, or the
// one given. A failure is one line on standard error: play goes on, and the
// earlier autosave stays whole.
void keepProgress();
void keepProgress(const SavedGame& game);

// Loads a level from its file: the moves of the level before, the hint's plan
// and the notes are forgotten. A file that cannot be read says "Unable to
// read file!" and leaves the Board and the autosave as they were: false.
bool openLevel(const std::string& fileName);

// Opens a collection: a file in the common notation, a folder holding a chain
// of level files, or one of its level files, which stands for its folder.
// From then on New Game starts it at its first level that can be played.
// Returns the game's name of its level `number`, or "" with the reason in
// `problem`. Levels it cannot take are listed on standard error, each with why.
std::string openCollection(const std::string& path, int number, std::string& problem);

// Opens a level afresh, as level `number` of its set with nothing counted
// yet. False, having said so, when it cannot be read.
bool startLevel(const std::string& fileName, int32_t number);

// From the title on: the menu, and the levels it leads to, for the rest of
// the process. With a level named, play starts there straight after the
// title, as level `number`; or, with `chooseFirst`, the chooser opens on its
// collection at the first level not yet solved.
[[noreturn]] void runSession(const std::string& firstPlay, int32_t number, bool chooseFirst);

// The saved-game file: four lines, the level's file name, the level number,
// the steps taken and the pushes, each ended by a single line feed. The board
// itself is not saved: continuing reopens the level from its start.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "files/file_result.h"

struct SavedGame {
    std::string levelFile;
    int32_t levelNumber;
    uint32_t stepsTaken;
    uint32_t timesPushed;
};

// The figures of the game in progress.
SavedGame savedGameOfBoard();
// Puts the figures of a saved game into the Board.
void restoreSavedGame(const SavedGame& game);

void writeSavedGame(std::ostream& out, const SavedGame& game);
// Writes the file with writeFileSafely: never left half-written, and an old
// file of that name untouched when anything failed.
FileResult saveGameFile(const std::string& path, const SavedGame& game);

// Reads the four tokens over `game` under the failed-read rules of the level
// file: the name is emptied first, a number that cannot be read keeps its
// value, and after the first failure nothing more is read.
void readSavedGame(std::istream& in, SavedGame& game);

// Reads a saved-game file over `game` as readSavedGame does. Missing when the
// path names no ordinary file that can be opened; `game` is then untouched.
FileResult readSavedGameFile(const std::string& path, SavedGame& game);

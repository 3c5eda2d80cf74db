// Where the game finds its files: its data folder, found from where the
// program is, and the first level, from the shipped set or a folder the
// player names with --levels.
#pragma once

#include <string>

// The program's own folder when the pictures are there (the build's game
// folder, or a copy of it); otherwise the installed data folder, found
// relative to the program, so an installed or unpacked tree works from
// anywhere. Empty when neither holds the pictures.
std::string findDataFolder();

// The game name of the first level in a folder of the player's: the folder
// made absolute, so that it still holds once the game has moved into its data
// folder, and named with backslashes as the level tool's import names it
// ("\home\ann\mine\level1.kzm").
// Empty, with the reason in `problem`, for a folder whose name holds a blank,
// which no name in a level or saved-game file can.
std::string firstLevelIn(const std::string& folder, std::string& problem);

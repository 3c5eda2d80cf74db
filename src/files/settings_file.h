// The player's settings, kept in the player's folder beside the saved games:
// for now the window's scale. One "name value" line each; a file that is
// missing, damaged or from another version leaves every setting it does not
// hold as "not chosen".
#pragma once

#include <string>

#include "files/file_result.h"

struct Settings {
    int scale;  // 1 to maxSettingsScale, or 0: not chosen
};

constexpr int maxSettingsScale = 4;

// The settings held in a file's bytes, whatever they are: a line
// "scale N" with N from 1 to maxSettingsScale chooses the scale; anything
// else is passed over.
Settings readSettings(const std::string& bytes);
std::string writeSettings(const Settings& settings);

// $XDG_DATA_HOME/boxyard/settings (see player_files.h).
std::string settingsPath();
// The settings in the player's file; none chosen when there is no file.
Settings readSettingsFile();
// Writes the player's file with the safe write of the saved games, making the
// player's folder first if need be.
FileResult writeSettingsFile(const Settings& settings);

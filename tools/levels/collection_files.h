// The import and export commands: a collection in the text notation turned
// into a chain of level files, and a chain written back as text.
#pragma once

#include <ostream>
#include <string>

// Why a chain cannot be written into the folder (its name holds a blank, and
// the game reads a level name only up to one), or "".
std::string chainFolderProblem(const std::string& folder);

// Writes level1.kzm, level2.kzm, ... into the folder, each naming itself and
// its successor as the game names files, the last naming "lastlevel". Levels
// that cannot be played here are skipped with a message on `messages`.
// Returns 0 when at least one level was written. A folder whose name holds a
// blank is refused before anything is written.
int importCollection(const std::string& collectionPath, const std::string& folder, std::ostream& messages);

// Writes every level of the chain in the notation to `out`, one after another,
// each under a comment line with its file name. What the notation cannot carry
// is reported on `messages`. Returns 0 when the whole chain was written.
int exportChain(const std::string& firstName, std::ostream& out, std::ostream& messages);

// Playing a level of a collection: how the game names it, and filling the
// Board from it. A collection level is named "<path>#<number>", the path with
// its blanks written %20, so a saved game or the autosave can name it like a
// level file; a game that knows no collections finds no file of that name and
// says it cannot read it.
#pragma once

#include <string>

#include "files/collection_file.h"
#include "files/file_result.h"

// The game's name of level `number` of the notation file at `hostPath`.
std::string collectionLevelName(const std::string& hostPath, int number);
// True, with the path and the number, for a name collectionLevelName made.
bool isCollectionLevelName(const std::string& name, std::string& hostPath, int& number);

// The listing of a notation file, read once and kept while the file stays
// as it was. Empty, with the reason, when the file cannot be read.
const Collection& listedCollection(const std::string& hostPath, FileResult& result);
// The first level of the listing from `number` on that can be played, or 0.
int playableLevelFrom(const Collection& collection, int number);

// Resets the Board and fills it with level `number` of the file: a level that
// fits the 20 x 13 grid stands centred on it as an imported one would; a
// larger one on a grid of its own size, one column in, since column 0 never
// counts. Its next level is the next one that can be played, or "lastlevel".
// Missing when the file cannot be read, malformed (with the reason) when the
// level is not there or cannot be played; the Board is then left as it was.
FileResult loadCollectionLevel(const std::string& hostPath, int number);
// Puts a level picture on the Board as loadCollectionLevel does.
void placeLevelPicture(const LevelPicture& picture);

// The level in the Board as it starts, drawn as a picture in the notation:
// the rectangle of cells that hold something. Empty when it would be larger
// than any collection level, as a level file may put things anywhere.
LevelPicture pictureOfBoardAtStart();

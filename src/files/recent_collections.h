// The collections the player opened, most recent first, remembered in a small
// text file in the player's folder so that the chooser can offer them again:
// one absolute path a line, under a first line saying what the file is.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "files/file_result.h"

// The most collections remembered.
constexpr size_t mostRecentCollections = 20;

// playerFolder()/recent-collections.txt
std::string recentCollectionsPath();

// Reads the paths remembered, in order, into `paths`, which is emptied first.
// Any bytes are read safely: a line that is not an absolute path, is too long
// to be one, or repeats an earlier path is passed over, and reading stops at
// mostRecentCollections paths.
void readRecentCollections(std::istream& in, std::vector<std::string>& paths);
// Missing, with `paths` empty, when the path names no ordinary file that can be opened.
FileResult readRecentCollections(const std::string& path, std::vector<std::string>& paths);

void writeRecentCollections(std::ostream& out, const std::vector<std::string>& paths);
// Writes the file with writeFileSafely, making its folder first if need be.
FileResult writeRecentCollections(const std::string& path, const std::vector<std::string>& paths);

// Puts a collection's path first, taking it from where it stood before and
// dropping the oldest past mostRecentCollections. A relative path is made
// absolute from the current folder. False, with the list untouched, for a
// path that cannot be remembered on one line.
bool putFirst(std::vector<std::string>& paths, const std::string& path);

// Remembers a collection as opened: reads the file in the player's folder,
// puts the path first and writes the file back.
FileResult rememberCollection(const std::string& path);

// L: choosing any level of a collection, with what the player has solved of
// it, and P's replay of a best solution from there.
#pragma once

#include <string>

#include "game/library.h"

// Runs the chooser over the collection, its cursor on level `startAt`, until
// the player picks a level to play (true, with its name and number) or goes
// back (false). A replay chosen with P plays there and returns to the chooser.
bool chooseLevel(PlayedCollection& collection, int startAt, std::string& levelName, int& number);

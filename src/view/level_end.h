// The screens that follow a won level: the level won, or the set finished.
#pragma once

#include <cstdint>

// " You have beat level N " and the next level's number, over the last frame;
// returns once Enter is pressed.
void showLevelWon(int32_t won, int32_t next);
// The closing words of a finished set; returns once Enter is pressed.
void showSetFinished();

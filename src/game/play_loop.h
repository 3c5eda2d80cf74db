// The play loop: ticks become moves and commands, passes become frames.
#pragma once

// Plays the level in the Board, and the levels that follow it, until the
// player leaves for the menu, the set is finished, or a level cannot be read.
void runPlayLoop();

// The endless play loop: ticks become moves and commands, passes become frames.
#pragma once

#include <allegro.h>

[[noreturn]] void runPlayLoop(BITMAP* backBuffer, DATAFILE* spriteSet, DATAFILE* screenSet);

// The board pictures below the full 32-pixel cell, which board_art.cpp hands
// on to. Only the art library uses it.
#pragma once

#include <allegro.h>

BITMAP* smallFloor(int size);
BITMAP* smallWall(int size);
BITMAP* smallTarget(int size);
BITMAP* smallBox(int size);
BITMAP* smallPlayer(char facing, int size);

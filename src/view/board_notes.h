// What play writes over the board besides the board itself: the hint's mark
// on a box, the box picked with the mouse and the cells it can be pushed to,
// and a note in the free right half of the status panel.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <vector>

#include "rules/board.h"

enum class PanelNote { none, lost, noWayToWin, noHintInTime, hint, thinking };

struct BoardNotes {
    bool hintShown;
    int32_t hintX, hintY;  // the cell of the box to push
    char hintWay;          // 'u', 'd', 'l' or 'r'
    PanelNote note;
    // The box picked with the mouse, if any, and every cell it can be pushed to.
    bool boxPicked;
    int pickedSlot;
    std::vector<GridPos> pushCells;
};

extern BoardNotes boardNotes;

// No mark and no note.
void resetBoardNotes();

// The mark of a push: a ring round the cell whose top-left pixel is (x, y)
// and a thick arrow across it the way the box is to go, light on dark so it
// stands out on the crate, the floor, a target and the bricks alike.
// Drawn for cells of `cell` pixels, 32 unless the level is drawn smaller.
void drawPushMark(BITMAP* target, int x, int y, char way, int cell = 32);

// The picked box's ring and a mark on each cell it can be pushed to.
void drawPickMarks(BITMAP* target);
// Drops the box picked with the mouse.
void dropPickedBox();
// The hint's mark over the board, when one is shown, for cells of `cell`
// pixels whose cell (0, 0) has its corner at (left, top).
void drawHintMark(BITMAP* target, int cell = 32, int left = 0, int top = 0);
// The note, if any, in the panel's right half, on its three lines.
void drawPanelNote(BITMAP* target);

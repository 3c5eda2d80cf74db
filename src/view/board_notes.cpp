// The hint's mark and the panel's notes. The panel's left half holds the
// counters; its right half, from x 320, is free for forty characters a line.
#include "view/board_notes.h"

#include <cstdio>

#include "view/board_view.h"
#include "view/resource_items.h"

BoardNotes boardNotes = {false, 0, 0, 'r', PanelNote::none, false, -1, {}};

namespace {

constexpr int noteX = 320;
constexpr int noteLines[3] = {440, 450, 460};

int colourOn(BITMAP* target, int r, int g, int b) { return makecol_depth(bitmap_color_depth(target), r, g, b); }

// A cell-sized arrow pointing right, as (x, y) pairs within the cell.
constexpr int arrowPoints[14] = {5, 12, 16, 12, 16, 6, 27, 16, 16, 26, 16, 20, 5, 20};

void turnedArrow(char way, int x, int y, int dx, int dy, int cell, int* points) {
    for (int i = 0; i < 7; i++) {
        // The arrow's points scale with the cell; at 32 pixels they stand as drawn.
        int px = arrowPoints[2 * i] * cell / cellPixels, py = arrowPoints[2 * i + 1] * cell / cellPixels;
        int tx = px, ty = py;
        switch (way) {
            case 'l': tx = cell - 1 - px; break;
            case 'd': tx = py; ty = px; break;
            case 'u': tx = py; ty = cell - 1 - px; break;
            default: break;
        }
        points[2 * i] = x + tx + dx;
        points[2 * i + 1] = y + ty + dy;
    }
}

// A line of the note: `lead` in the game's red, then `rest` in white.
void noteLine(BITMAP* target, int line, const char* lead, const char* rest) {
    int x = noteX;
    if (lead[0]) {
        textout_ex(target, font, lead, x, noteLines[line], colourOn(target, 255, 0, 0), -1);
        x += text_length(font, lead);
    }
    textout_ex(target, font, rest, x, noteLines[line], colourOn(target, 255, 255, 255), -1);
}

const char* wayWord(char way) {
    switch (way) {
        case 'u': return "up";
        case 'd': return "down";
        case 'l': return "left";
        default: return "right";
    }
}

}  // namespace

void resetBoardNotes() {
    boardNotes.hintShown = false;
    boardNotes.hintX = 0;
    boardNotes.hintY = 0;
    boardNotes.hintWay = 'r';
    boardNotes.note = PanelNote::none;
    dropPickedBox();
}

void dropPickedBox() {
    boardNotes.boxPicked = false;
    boardNotes.pickedSlot = -1;
    boardNotes.pushCells.clear();
}

// The ring is the hint's, in gold; each cell the box can reach gets a gold
// dot with a thick dark outline, small enough to leave the floor or target readable.
void drawPickMarks(BITMAP* target) {
    if (!boardNotes.boxPicked || boardNotes.pickedSlot < 0 || boardNotes.pickedSlot >= boxSlots) return;
    const BoardGeometry at = boardGeometry();
    const int dark = colourOn(target, 0, 0, 0), gold = colourOn(target, 255, 200, 40);
    auto cellLeft = [&](int64_t column) { return int64_t(at.left) + column * at.cell; };
    auto cellTop = [&](int64_t row) { return int64_t(at.top) + row * at.cell; };
    auto onPicture = [&](int64_t x, int64_t y) { return x > -at.cell && y > -at.cell && x < target->w && y < target->h; };
    const GridPos box = board.boxes[boardNotes.pickedSlot];
    const int64_t bx = cellLeft(box.x), by = cellTop(box.y);
    if (onPicture(bx, by)) {
        const int x = int(bx), y = int(by), last = at.cell - 1;
        rect(target, x, y, x + last, y + last, dark);
        rect(target, x + 1, y + 1, x + last - 1, y + last - 1, gold);
        rect(target, x + 2, y + 2, x + last - 2, y + last - 2, gold);
        rect(target, x + 3, y + 3, x + last - 3, y + last - 3, dark);
    }
    const int radius = at.cell >= 16 ? at.cell / 6 : 2;
    for (const GridPos& cell : boardNotes.pushCells) {
        const int64_t cx = cellLeft(cell.x), cy = cellTop(cell.y);
        if (!onPicture(cx, cy)) continue;
        const int x = int(cx) + at.cell / 2, y = int(cy) + at.cell / 2;
        circlefill(target, x, y, radius + 2, dark);
        circlefill(target, x, y, radius, gold);
    }
}

void drawPushMark(BITMAP* target, int x, int y, char way, int cell) {
    const int dark = colourOn(target, 0, 0, 0), light = colourOn(target, 80, 235, 255);
    // The ring: dark, light, light, dark from the edge in; small cells keep
    // one dark and one light line.
    const int ring = cell >= 16 ? 4 : 2;
    for (int i = 0; i < ring; i++) {
        const bool edge = i == 0 || i == ring - 1;
        rect(target, x + i, y + i, x + cell - 1 - i, y + cell - 1 - i, edge && (ring == 4 || i == 0) ? dark : light);
    }
    int points[14];
    // The outline: the arrow drawn dark one pixel out every way, then light.
    for (int dy = -1; dy <= 1; dy++) {
        for (int dx = -1; dx <= 1; dx++) {
            turnedArrow(way, x, y, dx, dy, cell, points);
            polygon(target, 7, points, dark);
        }
    }
    turnedArrow(way, x, y, 0, 0, cell, points);
    polygon(target, 7, points, light);
}

void drawHintMark(BITMAP* target, int cell, int left, int top) {
    if (!boardNotes.hintShown) return;
    int64_t px = left + int64_t(boardNotes.hintX) * cell, py = top + int64_t(boardNotes.hintY) * cell;
    if (px < 0 || py < 0 || px >= target->w || py >= target->h) return;
    drawPushMark(target, int(px), int(py), boardNotes.hintWay, cell);
}

void drawPanelNote(BITMAP* target) {
    switch (boardNotes.note) {
        case PanelNote::none:
            break;
        case PanelNote::lost:
            noteLine(target, 0, "Lost!", " This level can no longer be won.");
            noteLine(target, 1, "", "U takes the push back, R restarts.");
            break;
        case PanelNote::noWayToWin:
            noteLine(target, 0, "No way to win from here:", "");
            noteLine(target, 1, "", "U takes back a move, R restarts.");
            break;
        case PanelNote::noHintInTime:
            noteLine(target, 0, "", "No hint found in time.");
            noteLine(target, 1, "", "The level may still be won.");
            break;
        case PanelNote::hint: {
            char line[48];
            std::snprintf(line, sizeof line, "Hint: push the marked crate %s.", wayWord(boardNotes.hintWay));
            noteLine(target, 0, "", line);
            break;
        }
        case PanelNote::thinking:
            noteLine(target, 0, "", "Thinking...");
            break;
    }
}

// The hint's mark and the panel's notes. The panel's left half holds the
// counters; its right half, from x 320, is free for forty characters a line.
#include "view/board_notes.h"

#include <cstdio>

#include "view/resource_items.h"

BoardNotes boardNotes = {false, 0, 0, 'r', PanelNote::none};

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

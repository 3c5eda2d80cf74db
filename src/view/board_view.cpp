// Drawing the board: the frame is rebuilt from nothing every time, floor first,
// then targets, walls, boxes and the figure, each masked over what lies below,
// the hint's mark over them, and the status panel last so nothing ever covers
// it. The counters are unsigned and are printed as such, so a long game never
// shows a minus sign.
#include "view/board_view.h"

#include <cstdint>

#include "rules/board.h"
#include "view/resource_items.h"
#include "view/board_notes.h"
#include "view/canvas.h"

namespace {

BITMAP* item(DATAFILE* set, int number) { return static_cast<BITMAP*>(set[number].dat); }

// Cell coordinates may be anything a level file holds; the pixel position is
// worked out in 64 bits and a sprite wholly off the bitmap is not drawn at all,
// which is what the library's clipping would leave of it anyway.
void drawAtCell(BITMAP* target, BITMAP* sprite, int32_t column, int32_t row) {
    int64_t px = int64_t(column) * cellPixels;
    int64_t py = int64_t(row) * cellPixels;
    if (px >= target->w || py >= target->h || px + sprite->w <= 0 || py + sprite->h <= 0) return;
    draw_sprite(target, sprite, int(px), int(py));
}

BITMAP* playerSprite(DATAFILE* sprites, char facing) {
    switch (facing) {
        case 'd': return item(sprites, spritePlayerDown);
        case 'u': return item(sprites, spritePlayerUp);
        case 'r': return item(sprites, spritePlayerRight);
        case 'l': return item(sprites, spritePlayerLeft);
        default: return nullptr;
    }
}

}  // namespace

BoardGeometry boardGeometry() { return {cellPixels, 0, 0}; }

bool cellAtPixel(int x, int y, int32_t& column, int32_t& row) {
    const BoardGeometry geometry = boardGeometry();
    // The board's area is everything above the status panel.
    if (x < 0 || y < 0 || x >= screenWidth || y >= boardRows * cellPixels) return false;
    const int dx = x - geometry.left, dy = y - geometry.top;
    if (dx < 0 || dy < 0) return false;
    column = dx / geometry.cell;
    row = dy / geometry.cell;
    return true;
}

void composeFrame(BITMAP* target, DATAFILE* sprites) {
    clear_bitmap(target);
    BITMAP* floorTile = item(sprites, spriteFloor);
    for (int column = 0; column < boardColumns; column++) {
        for (int row = 0; row < boardRows; row++) {
            if (floorCell(column, row) == 1) {
                blit(floorTile, target, 0, 0, column * cellPixels, row * cellPixels, cellPixels, cellPixels);
            }
        }
    }
    for (int i = 0; i < targetSlots; i++) {
        drawAtCell(target, item(sprites, spriteTarget), board.targets[i].x, board.targets[i].y);
    }
    for (int i = 0; i < wallSlots; i++) {
        drawAtCell(target, item(sprites, spriteWall), board.walls[i].x, board.walls[i].y);
    }
    for (int i = 0; i < boxSlots; i++) {
        drawAtCell(target, item(sprites, spriteBox), board.boxes[i].x, board.boxes[i].y);
    }
    BITMAP* figure = playerSprite(sprites, board.player.facing);
    if (figure) drawAtCell(target, figure, board.player.x, board.player.y);
    drawPickMarks(target);
    drawHintMark(target);

    textprintf_ex(target, font, 0, 440, makecol(255, 255, 255), -1, "Level        : %d", int(board.levelNumber));
    textprintf_ex(target, font, 0, 450, makecol(255, 255, 255), -1, "Steps Taken  : %u", unsigned(board.stepsTaken));
    textprintf_ex(target, font, 0, 460, makecol(255, 255, 255), -1, "Times pushed : %u", unsigned(board.timesPushed));
    drawPanelNote(target);
}

void drawFrame(BITMAP* target, DATAFILE* sprites) {
    composeFrame(target, sprites);
    if (target != canvas) blit(target, canvas, 0, 0, 0, 0, screenWidth, screenHeight);
    presentCanvas();
}

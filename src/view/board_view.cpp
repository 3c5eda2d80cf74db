// Drawing the board: the frame is rebuilt from nothing every time, floor first,
// then targets, walls, boxes and the figure, each masked over what lies below,
// the hint's mark over them, and the status panel last so nothing ever covers
// it. The counters are unsigned and are printed as such, so a long game never
// shows a minus sign. A level on the 20 x 13 grid is drawn at 32 pixels a cell
// from the top-left corner; a larger one whole and centred above the panel, at
// the largest cell size at which it fits, with the pictures painted for that size.
#include "view/board_view.h"

#include <cstdint>

#include "rules/board.h"
#include "view/resource_items.h"
#include "view/board_notes.h"
#include "view/canvas.h"

namespace {

// The panel's first line; a large level is drawn above a gap over it.
constexpr int panelTop = 440;
constexpr int largeLevelBottom = 432;

BITMAP* item(DATAFILE* set, int number) { return static_cast<BITMAP*>(set[number].dat); }

bool onTheGrid() { return board.columns <= boardColumns && board.rows <= boardRows; }

// The pictures of one cell size.
struct CellPictures {
    DATAFILE* sprites;
    int sizeIndex;
    BITMAP* of(SpriteItem kind) const { return item(sprites, spriteItem(sizeIndex, kind)); }
};

int sizeIndexOf(int cell) {
    for (int i = 0; i < cellSizeCount; i++) {
        if (cellSizes[i] == cell) return i;
    }
    return 0;
}

// Cell coordinates may be anything a level file holds; the pixel position is
// worked out in 64 bits and a sprite wholly off the bitmap is not drawn at all,
// which is what the library's clipping would leave of it anyway.
void drawAtCell(BITMAP* target, BITMAP* sprite, const BoardGeometry& geometry, int32_t column, int32_t row) {
    int64_t px = geometry.left + int64_t(column) * geometry.cell;
    int64_t py = geometry.top + int64_t(row) * geometry.cell;
    if (px >= target->w || py >= target->h || px + sprite->w <= 0 || py + sprite->h <= 0) return;
    draw_sprite(target, sprite, int(px), int(py));
}

BITMAP* playerSprite(const CellPictures& pictures, char facing) {
    switch (facing) {
        case 'd': return pictures.of(spritePlayerDown);
        case 'u': return pictures.of(spritePlayerUp);
        case 'r': return pictures.of(spritePlayerRight);
        case 'l': return pictures.of(spritePlayerLeft);
        default: return nullptr;
    }
}

void drawFloor(BITMAP* target, const CellPictures& pictures, const BoardGeometry& geometry) {
    BITMAP* floorTile = pictures.of(spriteFloor);
    if (onTheGrid()) {
        for (int column = 0; column < boardColumns; column++) {
            for (int row = 0; row < boardRows; row++) {
                if (floorCell(column, row) == 1) {
                    blit(floorTile, target, 0, 0, column * cellPixels, row * cellPixels, cellPixels, cellPixels);
                }
            }
        }
        return;
    }
    for (int column = 1; column < board.columns; column++) {
        for (int row = 0; row < board.rows; row++) {
            blit(floorTile, target, 0, 0, geometry.left + column * geometry.cell, geometry.top + row * geometry.cell,
                 geometry.cell, geometry.cell);
        }
    }
}

}  // namespace

// A large level stands one column in, since column 0 never counts: its
// cells are columns 1 on, and those are what is centred.
BoardGeometry boardGeometry() {
    if (onTheGrid()) return {cellPixels, 0, 0};
    const int drawnColumns = board.columns - 1;
    for (int cell : cellSizes) {
        const int width = drawnColumns * cell, height = board.rows * cell;
        if (width <= screenWidth && height <= largeLevelBottom) {
            return {cell, (screenWidth - width) / 2 - cell, (largeLevelBottom - height) / 2};
        }
    }
    // Taller than the smallest cells allow: the rows around the player are
    // shown, the view following him up and down.
    const int cell = cellSizes[cellSizeCount - 1];
    const int shown = largeLevelBottom / cell;
    int firstRow = board.player.y - shown / 2;
    if (firstRow > board.rows - shown) firstRow = board.rows - shown;
    if (firstRow < 0) firstRow = 0;
    return {cell, (screenWidth - drawnColumns * cell) / 2 - cell, -firstRow * cell};
}

bool cellAtPixel(int x, int y, int32_t& column, int32_t& row) {
    const BoardGeometry geometry = boardGeometry();
    // The board's area is everything above the status panel.
    const int bottom = onTheGrid() ? boardRows * cellPixels : largeLevelBottom;
    if (x < 0 || y < 0 || x >= screenWidth || y >= bottom) return false;
    const int dx = x - geometry.left, dy = y - geometry.top;
    if (dx < 0 || dy < 0) return false;
    column = dx / geometry.cell;
    row = dy / geometry.cell;
    return true;
}

void composeFrame(BITMAP* target, DATAFILE* sprites) {
    clear_bitmap(target);
    const BoardGeometry geometry = boardGeometry();
    const CellPictures pictures = {sprites, sizeIndexOf(geometry.cell)};
    // A level of a file may put things anywhere, and they are drawn wherever
    // they fall; a large level keeps to the area above the panel.
    if (!onTheGrid()) set_clip_rect(target, 0, 0, screenWidth - 1, largeLevelBottom - 1);
    drawFloor(target, pictures, geometry);
    for (const GridPos& spot : board.targets) drawAtCell(target, pictures.of(spriteTarget), geometry, spot.x, spot.y);
    for (const WallPos& wall : board.walls) drawAtCell(target, pictures.of(spriteWall), geometry, wall.x, wall.y);
    for (const GridPos& box : board.boxes) drawAtCell(target, pictures.of(spriteBox), geometry, box.x, box.y);
    BITMAP* figure = playerSprite(pictures, board.player.facing);
    if (figure) drawAtCell(target, figure, geometry, board.player.x, board.player.y);
    drawPickMarks(target);
    drawHintMark(target, geometry.cell, geometry.left, geometry.top);
    set_clip_rect(target, 0, 0, target->w - 1, target->h - 1);

    textprintf_ex(target, font, 0, panelTop, makecol(255, 255, 255), -1, "Level        : %d", int(board.levelNumber));
    textprintf_ex(target, font, 0, 450, makecol(255, 255, 255), -1, "Steps Taken  : %u", unsigned(board.stepsTaken));
    textprintf_ex(target, font, 0, 460, makecol(255, 255, 255), -1, "Times pushed : %u", unsigned(board.timesPushed));
    drawPanelNote(target);
}

void drawFrame(BITMAP* target, DATAFILE* sprites) {
    composeFrame(target, sprites);
    if (target != canvas) blit(target, canvas, 0, 0, 0, 0, screenWidth, screenHeight);
    presentCanvas();
}

// The board pictures: a warm stone floor, brick walls, a golden target ring,
// a wooden crate with a round window in its lid (through which a target below
// glows, so a placed box is plain to see) and the warehouse worker in a red cap.
#include <cmath>

#include "art.h"
#include "board_small.h"
#include "paint.h"

namespace {

const int cell = 32;

void speckle(BITMAP* picture, uint32_t seed, int base, int spread, int count) {
    for (int i = 0; i < count; i++) {
        int x = noise(seed, cell), y = noise(seed, cell);
        putpixel(picture, x, y, shade(base, noise(seed, 2 * spread + 1) - spread));
    }
}

}  // namespace

BITMAP* paintFloor(int size) {
    if (size != cell) return smallFloor(size);
    const int stone = rgb(92, 84, 74);
    BITMAP* picture = newPicture(cell, cell, stone);
    speckle(picture, 7u, stone, 10, 140);
    hline(picture, 0, 0, cell - 1, shade(stone, 14));
    vline(picture, 0, 0, cell - 1, shade(stone, 14));
    hline(picture, 0, cell - 1, cell - 1, shade(stone, -26));
    vline(picture, cell - 1, 0, cell - 1, shade(stone, -26));
    return picture;
}

BITMAP* paintWall(int size) {
    if (size != cell) return smallWall(size);
    const int mortar = rgb(66, 60, 56);
    BITMAP* picture = newPicture(cell, cell, mortar);
    uint32_t seed = 31u;
    for (int row = 0; row < 4; row++) {
        int y1 = row * 8, y2 = y1 + 6;
        int offset = (row % 2) ? -8 : 0;
        for (int x1 = offset; x1 < cell; x1 += 16) {
            int x2 = x1 + 14;
            int brick = shade(rgb(156, 74, 50), noise(seed, 21) - 10);
            rectfill(picture, x1, y1, x2, y2, brick);
            hline(picture, x1, y1, x2, shade(brick, 34));
            vline(picture, x1, y1, y2, shade(brick, 18));
            hline(picture, x1, y2, x2, shade(brick, -40));
            vline(picture, x2, y1, y2, shade(brick, -28));
            for (int i = 0; i < 6; i++) {
                int px = x1 + 2 + noise(seed, 11), py = y1 + 2 + noise(seed, 3);
                putpixel(picture, px, py, shade(brick, noise(seed, 31) - 15));
            }
        }
    }
    return picture;
}

BITMAP* paintTarget(int size) {
    if (size != cell) return smallTarget(size);
    BITMAP* picture = newPicture(cell, cell, maskColour());
    const int gold = rgb(238, 190, 52);
    circlefill(picture, 16, 16, 12, shade(gold, -90));
    circlefill(picture, 16, 16, 11, gold);
    circlefill(picture, 16, 16, 9, maskColour());
    circlefill(picture, 16, 16, 7, rgb(255, 214, 80));
    circlefill(picture, 16, 16, 4, rgb(255, 240, 170));
    putpixel(picture, 14, 14, rgb(255, 255, 235));
    return picture;
}

BITMAP* paintBox(int size) {
    if (size != cell) return smallBox(size);
    BITMAP* picture = newPicture(cell, cell, maskColour());
    const int frame = rgb(96, 58, 26);
    const int plank = rgb(184, 126, 64);
    rectfill(picture, 2, 2, 29, 29, frame);
    rectfill(picture, 5, 5, 26, 26, plank);
    for (int y = 10; y < 26; y += 5) hline(picture, 5, y, 26, shade(plank, -34));
    // Cross braces, then the round window in the middle.
    for (int t = 0; t < 22; t++) {
        putpixel(picture, 5 + t, 5 + t, frame);
        putpixel(picture, 6 + t, 5 + t, shade(frame, 20));
        putpixel(picture, 26 - t, 5 + t, frame);
        putpixel(picture, 25 - t, 5 + t, shade(frame, 20));
    }
    circlefill(picture, 16, 16, 8, shade(frame, -30));
    circlefill(picture, 16, 16, 6, maskColour());
    hline(picture, 2, 2, 29, shade(frame, 40));
    vline(picture, 2, 2, 29, shade(frame, 30));
    hline(picture, 2, 29, 29, shade(frame, -40));
    vline(picture, 29, 2, 29, shade(frame, -40));
    for (int corner = 0; corner < 4; corner++) {
        int x = corner % 2 ? 27 : 4, y = corner / 2 ? 27 : 4;
        putpixel(picture, x, y, rgb(210, 210, 200));
    }
    return picture;
}

BITMAP* paintPlayer(char facing, int size) {
    if (size != cell) return smallPlayer(facing, size);
    const int skin = rgb(240, 196, 150);
    const int cap = rgb(204, 40, 40);
    const int overalls = rgb(52, 92, 184);
    const int shirt = rgb(236, 226, 120);
    const int boots = rgb(60, 40, 28);
    const int eye = rgb(30, 24, 30);
    BITMAP* picture = newPicture(cell, cell, maskColour());
    // A side view is drawn facing left and mirrored for right.
    bool side = facing == 'l' || facing == 'r';
    if (!side) {
        rectfill(picture, 10, 27, 14, 30, boots);
        rectfill(picture, 17, 27, 21, 30, boots);
        rectfill(picture, 9, 16, 22, 27, overalls);
        rectfill(picture, 11, 16, 20, 19, shirt);
        rectfill(picture, 6, 17, 8, 24, shirt);
        rectfill(picture, 23, 17, 25, 24, shirt);
        rectfill(picture, 6, 24, 8, 26, skin);
        rectfill(picture, 23, 24, 25, 26, skin);
        circlefill(picture, 16, 10, 7, skin);
        if (facing == 'd') {
            rectfill(picture, 9, 3, 23, 6, cap);
            rectfill(picture, 8, 6, 24, 7, shade(cap, -40));
            rectfill(picture, 12, 9, 13, 11, eye);
            rectfill(picture, 19, 9, 20, 11, eye);
            hline(picture, 14, 14, 18, shade(skin, -70));
            putpixel(picture, 11, 13, rgb(240, 150, 130));
            putpixel(picture, 21, 13, rgb(240, 150, 130));
        } else {
            circlefill(picture, 16, 9, 7, cap);
            rectfill(picture, 10, 12, 22, 15, rgb(110, 70, 40));
            vline(picture, 16, 3, 10, shade(cap, -40));
            rectfill(picture, 13, 20, 18, 25, shade(overalls, -30));
        }
    } else {
        rectfill(picture, 10, 27, 15, 30, boots);
        rectfill(picture, 17, 27, 22, 30, boots);
        rectfill(picture, 12, 16, 21, 27, overalls);
        rectfill(picture, 13, 16, 20, 19, shirt);
        rectfill(picture, 5, 18, 13, 21, shirt);
        rectfill(picture, 3, 18, 5, 21, skin);
        circlefill(picture, 16, 10, 7, skin);
        rectfill(picture, 11, 3, 22, 6, cap);
        rectfill(picture, 5, 6, 14, 7, shade(cap, -40));
        rectfill(picture, 18, 7, 23, 13, rgb(110, 70, 40));
        rectfill(picture, 11, 9, 12, 11, eye);
        putpixel(picture, 9, 12, shade(skin, -40));
        hline(picture, 10, 14, 13, shade(skin, -70));
        if (facing == 'r') {
            BITMAP* mirrored = newPicture(cell, cell, maskColour());
            draw_sprite_h_flip(mirrored, picture, 0, 0);
            destroy_bitmap(picture);
            picture = mirrored;
        }
    }
    return picture;
}

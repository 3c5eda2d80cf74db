// Painting helpers shared by the board art and the full-screen pictures.
#include "paint.h"

#include <cstring>

int shade(int colour, int amount) {
    auto clamp = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
    return makecol32(clamp(getr32(colour) + amount), clamp(getg32(colour) + amount), clamp(getb32(colour) + amount));
}

BITMAP* newPicture(int width, int height, int fill) {
    BITMAP* picture = create_bitmap_ex(32, width, height);
    clear_to_color(picture, fill);
    return picture;
}

int noise(uint32_t& state, int range) {
    state = state * 1664525u + 1013904223u;
    return int((state >> 8) % uint32_t(range));
}

void bigText(BITMAP* target, const char* text, int x, int y, int scale, int colour, int shadow) {
    int width = text_length(font, text);
    int height = text_height(font);
    BITMAP* small = create_bitmap_ex(32, width, height);
    clear_to_color(small, maskColour());
    textout_ex(small, font, text, 0, 0, rgb(255, 255, 255), -1);
    for (int row = 0; row < height; row++) {
        for (int column = 0; column < width; column++) {
            if (getpixel(small, column, row) == maskColour()) continue;
            int px = x + column * scale, py = y + row * scale;
            if (shadow != -1) {
                int offset = scale > 2 ? scale / 2 : 1;
                rectfill(target, px + offset, py + offset, px + offset + scale - 1, py + offset + scale - 1, shadow);
            }
        }
    }
    for (int row = 0; row < height; row++) {
        for (int column = 0; column < width; column++) {
            if (getpixel(small, column, row) == maskColour()) continue;
            int px = x + column * scale, py = y + row * scale;
            rectfill(target, px, py, px + scale - 1, py + scale - 1, colour);
        }
    }
    destroy_bitmap(small);
}

void bigTextCentre(BITMAP* target, const char* text, int centreX, int y, int scale, int colour, int shadow) {
    bigText(target, text, centreX - text_length(font, text) * scale / 2, y, scale, colour, shadow);
}

void verticalGradient(BITMAP* target, int x1, int y1, int x2, int y2, int top, int bottom) {
    int span = y2 > y1 ? y2 - y1 : 1;
    for (int y = y1; y <= y2; y++) {
        int t = y - y1;
        int r = getr32(top) + (getr32(bottom) - getr32(top)) * t / span;
        int g = getg32(top) + (getg32(bottom) - getg32(top)) * t / span;
        int b = getb32(top) + (getb32(bottom) - getb32(top)) * t / span;
        hline(target, x1, y, x2, makecol32(r, g, b));
    }
}

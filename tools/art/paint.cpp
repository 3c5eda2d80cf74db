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

int dithered(double r, double g, double b, int x, int y) {
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    double threshold = (bayer[y & 3][x & 3] + 0.5) / 16.0;
    auto level = [threshold](double value, int steps) {
        int q = int(value * steps / 255.0 + threshold);
        return q < 0 ? 0 : (q > steps ? steps : q);
    };
    int r5 = level(r, 31), g6 = level(g, 63), b5 = level(b, 31);
    return makecol32((r5 << 3) | (r5 >> 2), (g6 << 2) | (g6 >> 4), (b5 << 3) | (b5 >> 2));
}

void verticalGradient(BITMAP* target, int x1, int y1, int x2, int y2, int top, int bottom) {
    double span = y2 > y1 ? y2 - y1 : 1;
    for (int y = y1; y <= y2; y++) {
        double t = (y - y1) / span;
        double r = getr32(top) + (getr32(bottom) - getr32(top)) * t;
        double g = getg32(top) + (getg32(bottom) - getg32(top)) * t;
        double b = getb32(top) + (getb32(bottom) - getb32(top)) * t;
        for (int x = x1; x <= x2; x++) putpixel(target, x, y, dithered(r, g, b, x, y));
    }
}

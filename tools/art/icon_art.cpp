// The application icon: a wooden crate standing home inside a gold target ring,
// the gold showing through its round window, drawn large enough to read at
// 32x32 on a desktop. The ring is lit from the top left like the board's art.
// The icon is drawn on a 32-unit design grid and painted at any size by
// asking, for each pixel's centre, which part of the design lies there: the
// edges stay hard at every size, with nothing blurred by scaling.
#include <cmath>

#include "art.h"
#include "paint.h"
#include "screen_parts.h"

namespace {

// A colour part way from `from` to `to`, t in 0..1.
int blend(int from, int to, double t) {
    auto mix = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return makecol32(mix(getr32(from), getr32(to)), mix(getg32(from), getg32(to)), mix(getb32(from), getb32(to)));
}

// The crate's planks span design cells 10 to 21 each way.
constexpr int plankFirst = 10, plankCells = 12;

// Design cell (x, y) lies in [left, right] x [top, bottom], cells inclusive.
bool inCells(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x <= right && y >= top && y <= bottom;
}

// The ring and the stone floor inside it, or the mask outside it, at the
// design point (x, y) measured from the ring's centre.
int ringColour(double dx, double dy) {
    double d = std::hypot(dx, dy);
    if (d > 15.6) return maskColour();
    // Light falls from the top left: 1 there, 0 at the bottom right.
    double light = d > 0 ? 0.5 - 0.5 * (dx + dy) / (d * std::sqrt(2.0)) : 0.5;
    if (d < 10.6) {
        // The stone floor the target is set in, in shadow under the ring.
        return blend(makecol32(60, 54, 48), makecol32(96, 88, 78), light);
    }
    int colour = light > 0.5 ? blend(goldInk(), goldLight(), (light - 0.5) * 2) : blend(goldDark(), goldInk(), light * 2);
    if (d > 14.6) colour = blend(colour, soot(), 0.6);
    if (d < 11.6) colour = blend(colour, goldDark(), 0.7);
    return colour;
}

// The crate over whatever lies below, at design point (x, y); `grain` holds
// the planks' speckle for each of their cells.
int crateColour(double x, double y, int below, const int (&grain)[plankCells][plankCells]) {
    const int frame = makecol32(92, 52, 22), plank = makecol32(196, 134, 66);
    const int cx = int(std::floor(x)), cy = int(std::floor(y));
    int colour = below;
    if (inCells(cx, cy, 7, 7, 24, 24)) colour = soot();
    if (inCells(cx, cy, 8, 8, 23, 23)) colour = frame;
    if (inCells(cx, cy, plankFirst, plankFirst, 21, 21)) {
        colour = shade(plank, grain[cy - plankFirst][cx - plankFirst] - 8 - (cy - plankFirst));
        if (cy == 13 || cy == 18) colour = shade(plank, -46);
        // The two cross braces, one design cell wide.
        double u = x - plankFirst, v = y - plankFirst;
        if (std::fabs(u - v) < 0.5 || std::fabs(u + v - plankCells) < 0.5) colour = frame;
    }
    if (inCells(cx, cy, 8, 8, 23, 8)) colour = shade(frame, 56);
    if (inCells(cx, cy, 8, 9, 8, 23)) colour = shade(frame, 36);
    if (inCells(cx, cy, 9, 23, 23, 23)) colour = shade(frame, -30);
    if (inCells(cx, cy, 23, 9, 23, 23)) colour = shade(frame, -30);
    if ((cx == 9 || cx == 22) && (cy == 9 || cy == 22)) colour = makecol32(214, 210, 200);
    // The window, with the target's gold glowing in it.
    double w = std::hypot(x - 16.5, y - 16.5);
    if (w <= 4.5) colour = soot();
    if (w <= 3.5) colour = goldDark();
    if (w <= 2.5) colour = goldInk();
    if (cy == 15 && (cx == 15 || cx == 16)) colour = goldLight();
    return colour;
}

}  // namespace

BITMAP* paintIcon(int size) {
    BITMAP* picture = newPicture(size, size, maskColour());
    int grain[plankCells][plankCells];
    uint32_t seed = 2024u;
    for (auto& row : grain) {
        for (int& cell : row) cell = noise(seed, 17);
    }
    const double unit = size / 32.0;
    for (int py = 0; py < size; py++) {
        for (int px = 0; px < size; px++) {
            double x = (px + 0.5) / unit, y = (py + 0.5) / unit;
            int colour = ringColour(x - 16, y - 16);
            colour = crateColour(x, y, colour, grain);
            putpixel(picture, px, py, colour);
        }
    }
    return picture;
}

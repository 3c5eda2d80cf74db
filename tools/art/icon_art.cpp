// The application icon: a wooden crate standing home inside a gold target ring,
// the gold showing through its round window, drawn large enough to read at
// 32x32 on a desktop. The ring is lit from the top left like the board's art.
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

}  // namespace

BITMAP* paintIcon() {
    BITMAP* picture = newPicture(32, 32, maskColour());
    const double centre = 15.5;
    for (int y = 0; y < 32; y++) {
        for (int x = 0; x < 32; x++) {
            double dx = x - centre, dy = y - centre, d = std::hypot(dx, dy);
            if (d > 15.6) continue;
            // Light falls from the top left: 1 there, 0 at the bottom right.
            double light = 0.5 - 0.5 * (dx + dy) / (d * std::sqrt(2.0));
            if (d < 10.6) {
                // The stone floor the target is set in, in shadow under the ring.
                putpixel(picture, x, y, blend(makecol32(60, 54, 48), makecol32(96, 88, 78), light));
                continue;
            }
            int colour = light > 0.5 ? blend(goldInk(), goldLight(), (light - 0.5) * 2)
                                     : blend(goldDark(), goldInk(), light * 2);
            if (d > 14.6) colour = blend(colour, soot(), 0.6);
            if (d < 11.6) colour = blend(colour, goldDark(), 0.7);
            putpixel(picture, x, y, colour);
        }
    }

    // The crate: a dark frame, grained planks and the two cross braces.
    const int frame = makecol32(92, 52, 22), plank = makecol32(196, 134, 66);
    uint32_t seed = 2024u;
    rectfill(picture, 7, 7, 24, 24, soot());
    rectfill(picture, 8, 8, 23, 23, frame);
    for (int y = 10; y <= 21; y++) {
        for (int x = 10; x <= 21; x++) putpixel(picture, x, y, shade(plank, noise(seed, 17) - 8 - (y - 10)));
    }
    hline(picture, 10, 13, 21, shade(plank, -46));
    hline(picture, 10, 18, 21, shade(plank, -46));
    for (int t = 0; t < 12; t++) {
        putpixel(picture, 10 + t, 10 + t, frame);
        putpixel(picture, 21 - t, 10 + t, frame);
    }
    hline(picture, 8, 8, 23, shade(frame, 56));
    vline(picture, 8, 9, 23, shade(frame, 36));
    hline(picture, 9, 23, 23, shade(frame, -30));
    vline(picture, 23, 9, 23, shade(frame, -30));
    for (int corner = 0; corner < 4; corner++) {
        putpixel(picture, corner % 2 ? 22 : 9, corner / 2 ? 22 : 9, makecol32(214, 210, 200));
    }
    // The window, with the target's gold glowing in it.
    circlefill(picture, 16, 16, 4, soot());
    circlefill(picture, 16, 16, 3, goldDark());
    circlefill(picture, 16, 16, 2, goldInk());
    putpixel(picture, 15, 15, goldLight());
    putpixel(picture, 16, 15, goldLight());
    return picture;
}

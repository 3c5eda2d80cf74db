// The application icon: a wooden crate standing home inside a gold target ring,
// the gold showing through its round window, drawn large enough to read at
// 32x32 on a desktop.
#include "art.h"
#include "paint.h"
#include "screen_parts.h"

BITMAP* paintIcon() {
    BITMAP* picture = newPicture(32, 32, maskColour());
    // The ring, a dark rim round a gold band with a light inner edge.
    circlefill(picture, 16, 16, 15, goldDark());
    circlefill(picture, 16, 16, 14, goldInk());
    circle(picture, 16, 16, 11, goldLight());
    circlefill(picture, 16, 16, 10, maskColour());
    arc(picture, 16, 16, itofix(32), itofix(96), 13, goldLight());

    // The crate, its frame, planks and cross braces.
    const int frame = makecol32(92, 52, 22), plank = makecol32(196, 134, 66);
    rectfill(picture, 7, 7, 24, 24, soot());
    rectfill(picture, 8, 8, 23, 23, frame);
    rectfill(picture, 10, 10, 21, 21, plank);
    hline(picture, 10, 14, 21, shade(plank, -40));
    hline(picture, 10, 18, 21, shade(plank, -40));
    for (int t = 0; t < 12; t++) {
        putpixel(picture, 10 + t, 10 + t, frame);
        putpixel(picture, 21 - t, 10 + t, frame);
    }
    hline(picture, 8, 8, 23, shade(frame, 50));
    vline(picture, 8, 8, 23, shade(frame, 36));
    // The window, with the target's gold glowing in it.
    circlefill(picture, 16, 16, 4, soot());
    circlefill(picture, 16, 16, 3, goldInk());
    circlefill(picture, 15, 15, 1, goldLight());
    return picture;
}

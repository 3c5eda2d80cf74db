// The title picture, shown for three seconds at start-up: the game's name on a
// wooden sign hung over a lamp-lit yard, where the worker pushes a crate
// towards a gold ring and two crates already stand home.
#include "art.h"
#include "paint.h"
#include "screen_parts.h"

namespace {

// The sign hangs from two chains fixed to the wall at the top of the yard.
void chain(BITMAP* picture, int x, int y1, int y2) {
    // Links alternate between face-on rings and edge-on bars.
    for (int y = y1, link = 0; y < y2; y += 7, link++) {
        if (link % 2 == 0) {
            ellipsefill(picture, x, y + 4, 4, 6, soot());
            ellipse(picture, x, y + 4, 3, 5, makecol32(170, 164, 156));
            ellipse(picture, x, y + 4, 2, 4, makecol32(110, 104, 98));
        } else {
            rectfill(picture, x - 2, y - 1, x + 2, y + 10, soot());
            rectfill(picture, x - 1, y, x + 1, y + 9, makecol32(150, 144, 136));
            vline(picture, x - 1, y, y + 9, makecol32(200, 196, 188));
        }
    }
    circlefill(picture, x, y1, 5, soot());
    circlefill(picture, x, y1, 4, goldDark());
    circlefill(picture, x - 1, y1 - 1, 2, goldInk());
}

}  // namespace

BITMAP* paintTitle() {
    BITMAP* picture = newPicture(pictureWidth, pictureHeight, soot());
    {
        BoardSprites sprites;
        drawRoom(picture, sprites,
                 {"##########",
                  "#--------#",
                  "#--------#",
                  "#--------#",
                  "#*---r$-.#",
                  "#-$-#----#",
                  "#-.---$-*#",
                  "##########"},
                 0, 0, 2);
    }
    // A lamp above the crate being pushed; the sign and the far corners stay dim.
    lightArea(picture, 0, 0, pictureWidth - 1, pictureHeight - 1, 400, 330, 430, 34, 100);

    const int signX1 = 64, signY1 = 44, signX2 = 575, signY2 = 214;
    chain(picture, signX1 + 60, 8, signY1 + 2);
    chain(picture, signX2 - 60, 8, signY1 + 2);
    dimArea(picture, signX1 + 10, signY1 + 12, signX2 + 10, signY2 + 12, 45);
    woodBoard(picture, signX1, signY1, signX2, signY2, 34, 77u);
    insetSlot(picture, signX1 + 24, signY1 + 18, signX2 - 24, signY1 + 116, makecol32(58, 36, 20));
    letterCentred(picture, "boxyard", pictureWidth / 2, signY1 + 34, goldLettering(8));
    letterCentred(picture, "a warehouse puzzle", pictureWidth / 2, signY1 + 132, creamLettering(2));
    // Gold rings at both ends of the strapline, like targets on the floor.
    for (int side = 0; side < 2; side++) {
        int x = side ? pictureWidth / 2 + 170 : pictureWidth / 2 - 170, y = signY1 + 139;
        circlefill(picture, x, y, 8, soot());
        circlefill(picture, x, y, 7, goldInk());
        circlefill(picture, x, y, 4, woodInk());
        circlefill(picture, x, y, 2, goldLight());
    }
    return picture;
}

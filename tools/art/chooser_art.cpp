// The level chooser's picture: the lamp-lit brick wall with a wooden frame
// for each level of a page, each around a dark well, a dark strip on top for
// the collection's name and one at the bottom with the keys. The game writes
// the levels, the name and the cursor over it.
#include "art.h"
#include "paint.h"
#include "screen_parts.h"
#include "view/chooser_layout.h"

namespace {

int wellInk() { return makecol32(40, 26, 16); }

// A strip across the picture in soot with a gold rule along its edge toward
// the middle of the picture.
void darkStrip(BITMAP* picture, int y1, int y2, int ruleY) {
    rectfill(picture, 0, y1, pictureWidth - 1, y2, soot());
    hline(picture, 0, ruleY, pictureWidth - 1, goldDark());
}

// A key cap and what it does, left to right; returns the x after it.
int keyAndDeed(BITMAP* picture, int x, int y, int capWidth, const char* key, const char* deed) {
    keyCap(picture, x, y, capWidth, 22, key);
    x += capWidth + 7;
    smallText(picture, deed, x, y + 7, creamInk());
    return x + text_length(font, deed);
}

int keyLineWidth(const int* capWidths, const char* const* deeds, int count, int gap) {
    int width = 0;
    for (int i = 0; i < count; i++) width += capWidths[i] + 7 + text_length(font, deeds[i]) + (i ? gap : 0);
    return width;
}

}  // namespace

BITMAP* paintChooserBackground() {
    BITMAP* picture = brickBackdrop(pictureWidth / 2, 200, 460, 26, 66);

    // The frames cast their shadows down and to the right onto the wall.
    for (int slot = 0; slot < chooserPageLevels; slot++) {
        const int x = chooserBoxLeft(slot), y = chooserBoxTop(slot);
        dimArea(picture, x + 5, y + 5, x + chooserBoxWidth + 4, y + chooserBoxHeight + 4, 45);
    }
    for (int slot = 0; slot < chooserPageLevels; slot++) {
        const int x = chooserBoxLeft(slot), y = chooserBoxTop(slot);
        const int x2 = x + chooserBoxWidth - 1, y2 = y + chooserBoxHeight - 1;
        woodBoard(picture, x, y, x2, y2, 31, 4321u + unsigned(slot) * 97u);
        const int inset = chooserFrameWidth;
        insetSlot(picture, x + inset, y + inset, x2 - inset, y2 - inset, wellInk());
        // The well is a shade lighter at the top, as if the lamp above reached into it.
        verticalGradient(picture, x + inset + 1, y + inset + 2, x2 - inset - 1, y2 - inset - 1, shade(wellInk(), 10),
                         shade(wellInk(), -10));
        // A faint rule under the title line and over the figures.
        hline(picture, x + inset + 4, y + chooserPictureY - 2, x2 - inset - 4, shade(wellInk(), 12));
        hline(picture, x + inset + 4, y + chooserFiguresY - 4, x2 - inset - 4, shade(wellInk(), 12));
    }

    darkStrip(picture, 0, chooserHeadingBottom, chooserHeadingBottom);
    darkStrip(picture, chooserKeysTop, pictureHeight - 1, chooserKeysTop);

    const char* const keys[] = {"Enter", "N", "P", "Esc"};
    const int capWidths[] = {48, 24, 24, 36};
    const char* const deeds[] = {"plays", "first unsolved", "replays the best", "back"};
    const int gap = 22;
    int x = (pictureWidth - keyLineWidth(capWidths, deeds, 4, gap)) / 2;
    for (int i = 0; i < 4; i++) x = keyAndDeed(picture, x, chooserKeysTop + 10, capWidths[i], keys[i], deeds[i]) + gap;
    return picture;
}

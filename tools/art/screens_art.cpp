// The full-screen pictures of data.dat: title, menu, instruction pages and the
// interlude between them, and the menu cursor.
#include <cstdio>

#include "art.h"
#include "paint.h"

namespace {

const int width = 640, height = 480;

BITMAP* backdrop() {
    BITMAP* picture = newPicture(width, height, 0);
    verticalGradient(picture, 0, 0, width - 1, height - 1, rgb(34, 30, 52), rgb(14, 12, 22));
    return picture;
}

}  // namespace

BITMAP* paintMenuCursor() {
    BITMAP* picture = newPicture(40, 24, maskColour());
    const int gold = rgb(250, 200, 60);
    triangle(picture, 2, 12, 18, 2, 18, 22, gold);
    rectfill(picture, 18, 8, 37, 16, gold);
    line(picture, 2, 12, 18, 2, rgb(255, 240, 170));
    hline(picture, 18, 8, 37, rgb(255, 240, 170));
    return picture;
}

BITMAP* paintInterlude() {
    BITMAP* picture = backdrop();
    bigTextCentre(picture, "boxyard", width / 2, 220, 4, rgb(250, 200, 60), rgb(0, 0, 0));
    return picture;
}

BITMAP* paintInstructionPage(int page) {
    BITMAP* picture = backdrop();
    char heading[32];
    snprintf(heading, sizeof heading, "How to play %d", page);
    bigTextCentre(picture, heading, width / 2, 40, 3, rgb(250, 200, 60), rgb(0, 0, 0));
    return picture;
}

BITMAP* paintTitle() {
    BITMAP* picture = backdrop();
    bigTextCentre(picture, "boxyard", width / 2, 180, 8, rgb(250, 200, 60), rgb(0, 0, 0));
    return picture;
}

BITMAP* paintMenuBackground() {
    BITMAP* picture = backdrop();
    const char* entries[] = {"New Game", "Continue Saved Game", "Instructions", "Exit"};
    const int rows[] = {64, 92, 122, 152};
    for (int i = 0; i < 4; i++) {
        bigText(picture, entries[i], 380 - text_length(font, entries[i]) * 2, rows[i] + 4, 2, rgb(240, 236, 220),
                rgb(0, 0, 0));
    }
    return picture;
}

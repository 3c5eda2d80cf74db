// The board pictures at 24, 16, 12 and 8 pixels a cell, for levels too big
// for the board at 32, and the mouse pointer. Each is painted on its own
// pixel grid in a few fixed colours, never shrunk from the larger picture,
// so edges stay hard. Down to 16 the designs are the full ones; at 12 and 8
// they keep only what tells the kinds apart: the brick courses, the gold
// ring with its bright core, the crate's frame and the window the core shows
// through when a crate stands on a target, and the worker's cap, face or
// back and the way he looks.
#include <algorithm>
#include <vector>

#include "art.h"
#include "board_small.h"
#include "paint.h"

namespace {

// The colours, named for what they paint.
int stone() { return rgb(92, 84, 74); }
int stoneLight() { return shade(stone(), 14); }
int stoneDark() { return shade(stone(), -26); }
int stoneSpeckle() { return shade(stone(), 8); }
int stonePit() { return shade(stone(), -9); }
int mortar() { return rgb(66, 60, 56); }
int brick(int variant) { return shade(rgb(156, 74, 50), variant * 9 - 9); }
int gold() { return rgb(238, 190, 52); }
int goldRim() { return shade(gold(), -90); }
int goldInner() { return rgb(255, 214, 80); }
int goldCore() { return rgb(255, 240, 170); }
int frame() { return rgb(96, 58, 26); }
int frameLight() { return shade(frame(), 40); }
int frameDark() { return shade(frame(), -40); }
int windowRim() { return shade(frame(), -30); }
int plank() { return rgb(184, 126, 64); }
int plankGroove() { return shade(plank(), -34); }
int bolt() { return rgb(210, 210, 200); }
int skin() { return rgb(240, 196, 150); }
int mouth() { return shade(skin(), -70); }
int cheek() { return rgb(240, 150, 130); }
int cap() { return rgb(204, 40, 40); }
int capShade() { return shade(cap(), -40); }
int overalls() { return rgb(52, 92, 184); }
int overallsShade() { return shade(overalls(), -30); }
int shirt() { return rgb(236, 226, 120); }
int boots() { return rgb(60, 40, 28); }
int eye() { return rgb(30, 24, 30); }
int hair() { return rgb(110, 70, 40); }
int pointerLight() { return rgb(240, 228, 200); }
int pointerOutline() { return rgb(20, 13, 10); }

// A picture from rows of letters, one a pixel; '.' is see-through.
BITMAP* fromRows(const char* const* rows, int width, int height) {
    BITMAP* picture = newPicture(width, height, maskColour());
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width && rows[y][x]; x++) {
            int colour = maskColour();
            switch (rows[y][x]) {
                case 'R': colour = cap(); break;
                case 'r': colour = capShade(); break;
                case 'S': colour = skin(); break;
                case 's': colour = mouth(); break;
                case 'p': colour = cheek(); break;
                case 'E': colour = eye(); break;
                case 'H': colour = hair(); break;
                case 'Y': colour = shirt(); break;
                case 'B': colour = overalls(); break;
                case 'b': colour = overallsShade(); break;
                case 'K': colour = boots(); break;
                case 'd': colour = goldRim(); break;
                case 'G': colour = gold(); break;
                case 'I': colour = goldInner(); break;
                case 'W': colour = goldCore(); break;
                case 'h': colour = frameLight(); break;
                case 'F': colour = frame(); break;
                case 'D': colour = frameDark(); break;
                case 'k': colour = windowRim(); break;
                case 'P': colour = plank(); break;
                case 'g': colour = plankGroove(); break;
                case 'o': colour = bolt(); break;
                case 'L': colour = pointerLight(); break;
                case 'O': colour = pointerOutline(); break;
                default: break;
            }
            putpixel(picture, x, y, colour);
        }
    }
    return picture;
}

BITMAP* fromRows(const char* const* rows, int size) { return fromRows(rows, size, size); }

// A disc centred on the middle of the picture, whose centre falls between
// pixels, so the disc is as even as the grid allows.
void disc(BITMAP* picture, double radius, int colour) {
    const double middle = picture->w / 2.0;
    for (int y = 0; y < picture->h; y++) {
        for (int x = 0; x < picture->w; x++) {
            double dx = x + 0.5 - middle, dy = y + 0.5 - middle;
            if (dx * dx + dy * dy <= radius * radius) putpixel(picture, x, y, colour);
        }
    }
}

// Mirrors a picture drawn facing left so that it faces right.
BITMAP* mirrored(BITMAP* picture) {
    BITMAP* turned = newPicture(picture->w, picture->h, maskColour());
    draw_sprite_h_flip(turned, picture, 0, 0);
    destroy_bitmap(picture);
    return turned;
}

// The 32-pixel worker's rectangles, redrawn on a smaller grid: each edge
// moves to the nearest small pixel's edge, and nothing becomes thinner than
// one pixel, so the eyes and the brim survive.
struct Scaled {
    BITMAP* picture;
    int size;
    int at(int v) const { return (2 * v * size + 32) / 64; }
    void fill(int x1, int y1, int x2, int y2, int colour) const {
        int left = at(x1), top = at(y1);
        int right = std::max(left, at(x2 + 1) - 1), bottom = std::max(top, at(y2 + 1) - 1);
        rectfill(picture, left, top, right, bottom, colour);
    }
};

BITMAP* scaledPlayer(char facing, int size) {
    BITMAP* picture = newPicture(size, size, maskColour());
    Scaled s = {picture, size};
    if (facing == 'd' || facing == 'u') {
        s.fill(10, 27, 14, 30, boots());
        s.fill(17, 27, 21, 30, boots());
        s.fill(9, 16, 22, 27, overalls());
        s.fill(11, 16, 20, 19, shirt());
        s.fill(6, 17, 8, 23, shirt());
        s.fill(23, 17, 25, 23, shirt());
        s.fill(6, 24, 8, 26, skin());
        s.fill(23, 24, 25, 26, skin());
        s.fill(10, 5, 21, 15, skin());
        s.fill(12, 3, 19, 4, skin());
        s.fill(9, 7, 22, 13, skin());
        if (facing == 'd') {
            s.fill(11, 2, 20, 3, cap());
            s.fill(9, 4, 22, 6, cap());
            s.fill(8, 7, 23, 7, capShade());
            s.fill(12, 9, 13, 11, eye());
            s.fill(19, 9, 20, 11, eye());
            s.fill(14, 14, 17, 14, mouth());
            s.fill(10, 13, 10, 13, cheek());
            s.fill(21, 13, 21, 13, cheek());
        } else {
            s.fill(11, 2, 20, 3, cap());
            s.fill(9, 4, 22, 10, cap());
            s.fill(15, 2, 16, 10, capShade());
            s.fill(10, 11, 21, 14, hair());
            s.fill(13, 20, 18, 25, overallsShade());
        }
    } else {
        s.fill(10, 27, 15, 30, boots());
        s.fill(17, 27, 22, 30, boots());
        s.fill(12, 16, 21, 27, overalls());
        s.fill(13, 16, 20, 19, shirt());
        s.fill(5, 18, 13, 21, shirt());
        s.fill(2, 18, 4, 21, skin());
        s.fill(10, 5, 21, 15, skin());
        s.fill(9, 7, 22, 13, skin());
        s.fill(11, 2, 21, 6, cap());
        s.fill(4, 6, 14, 7, capShade());
        s.fill(17, 8, 22, 13, hair());
        s.fill(11, 9, 12, 11, eye());
        s.fill(10, 14, 13, 14, mouth());
        if (facing == 'r') picture = mirrored(picture);
    }
    return picture;
}

// The worker at 16, 12 and 8 pixels: facing down, up, and left (mirrored
// for right).
const char* const player16[3][16] = {
    {"................", "......RRRR......", ".....RRRRRR.....", "....rrrrrrrr....",
     ".....SSSSSS.....", ".....SESSES.....", ".....pSSSSp.....", "......SssS......",
     "...YYYYYYYYYY...", "...YBYYYYYYBY...", "...YBBBBBBBBY...", "...YBBBBBBBBY...",
     "...SBBBBBBBBS...", "....BBBBBBBB....", "....KKK..KKK....", "....KKK..KKK...."},
    {"................", "......RRRR......", ".....RRrrRR.....", ".....RRrrRR.....",
     ".....RRrrRR.....", ".....HHHHHH.....", ".....HHHHHH.....", "......SSSS......",
     "...YYYYYYYYYY...", "...YBYYYYYYBY...", "...YBBBBBBBBY...", "...YBBbbbbBBY...",
     "...SBBbbbbBBS...", "....BBBBBBBB....", "....KKK..KKK....", "....KKK..KKK...."},
    {"................", "......RRRRRR....", ".....RRRRRRR....", "..rrrrrrrRRR....",
     ".....SSSSHHH....", ".....ESSSHHH....", ".....SSSSHH.....", "......sSSSS.....",
     "......YYYYY.....", "..SYYYYYYYYY....", "......BBBBBB....", "......BBBBBB....",
     "......BBBBBB....", "......BBBBBB....", ".....KKK.KKK....", ".....KKK.KKK...."},
};
const char* const player12[3][12] = {
    {"....RRRR....", "...RRRRRR...", "..rrrrrrrr..", "...SSSSSS...", "...SESSES...", "....SssS....",
     "..YYYYYYYY..", "..YBBBBBBY..", "..SBBBBBBS..", "...BBBBBB...", "...KK..KK...", "...KK..KK..."},
    {"....RRRR....", "...RRrrRR...", "...RRrrRR...", "...HHHHHH...", "...HHHHHH...", "....SSSS....",
     "..YYYYYYYY..", "..YBBbbBBY..", "..SBBbbBBS..", "...BBBBBB...", "...KK..KK...", "...KK..KK..."},
    {"....RRRRR...", "...RRRRRR...", ".rrrrrRRR...", "...SSSHHH...", "...ESSSHH...", "....sSSS....",
     ".....YYYY...", ".SYYYYYYY...", ".....BBBB...", ".....BBBB...", "....KK.KK...", "....KK.KK..."},
};
const char* const player8[3][8] = {
    {"..RRRR..", ".rrrrrr.", "..ESSE..", "..SSSS..", ".YBBBBY.", ".SBBBBS.", "..BBBB..", "..K..K.."},
    {"..RRRR..", ".RRRRRR.", "..HHHH..", "..SSSS..", ".YBBBBY.", ".SbbbbS.", "..BBBB..", "..K..K.."},
    {"..RRRR..", "rrrRRR..", "..ESHH..", "..SSSS..", "..YYBB..", "SYYYBB..", "...BBB..", "..K..K.."},
};

// The ring at 12 and 8, its core lined up with the crate's window.
const char* const target12[12] = {
    "............", "...dddddd...", "..dGGGGGGd..", ".dGG....GGd.", ".dG..II..Gd.", ".dG.IWWI.Gd.",
    ".dG.IWWI.Gd.", ".dG..II..Gd.", ".dGG....GGd.", "..dGGGGGGd..", "...dddddd...", "............"};
const char* const target8[8] = {
    "..dddd..", ".dGGGGd.", "dG....Gd", "dG.WW.Gd", "dG.WW.Gd", "dG....Gd", ".dGGGGd.", "..dddd.."};
const char* const box12[12] = {
    "............", ".hhhhhhhhhh.", ".hPPPPPPPPD.", ".hgggkkgggD.", ".hPPk..kPPD.", ".hPk....kPD.",
    ".hPk....kPD.", ".hPPk..kPPD.", ".hgggkkgggD.", ".hPPPPPPPPD.", ".DDDDDDDDDD.", "............"};
const char* const box8[8] = {
    "hhhhhhhh", "hPPPPPPD", "hggkkggD", "hPk..kPD", "hPk..kPD", "hggkkggD", "hPPPPPPD", "DDDDDDDD"};

// The mouse pointer: the usual arrow, cream with a soot outline like the
// lettering of the pages, its tip at the top-left pixel.
const char* const pointerRows[pointerHeight] = {
    "O...........", "OO..........", "OLO.........", "OLLO........", "OLLLO.......", "OLLLLO......",
    "OLLLLLO.....", "OLLLLLLO....", "OLLLLLLLO...", "OLLLLLLLLO..", "OLLLLLLLLLO.", "OLLLLLLOOOOO",
    "OLLLOLLO....", "OLLOOLLO....", "OLO..OLLO...", "OO...OLLO...", "O.....OLLO..", "......OLLO..",
    ".......OO..."};

int facingRow(char facing) { return facing == 'd' ? 0 : facing == 'u' ? 1 : 2; }

}  // namespace

BITMAP* smallFloor(int size) {
    BITMAP* picture = newPicture(size, size, stone());
    uint32_t seed = 7u;
    for (int i = 0; i < size * size / 7; i++) {
        int x = noise(seed, size), y = noise(seed, size);
        putpixel(picture, x, y, noise(seed, 2) ? stoneSpeckle() : stonePit());
    }
    hline(picture, 0, 0, size - 1, stoneLight());
    vline(picture, 0, 0, size - 1, stoneLight());
    hline(picture, 0, size - 1, size - 1, stoneDark());
    vline(picture, size - 1, 0, size - 1, stoneDark());
    return picture;
}

BITMAP* smallWall(int size) {
    // Courses of bricks half as tall as they are long, four courses to a
    // cell down to 12 pixels and two at 8, each laid half a brick along.
    BITMAP* picture = newPicture(size, size, mortar());
    const int course = size >= 12 ? size / 4 : size / 2;
    const int length = 2 * course;
    uint32_t seed = 31u;
    for (int row = 0; row * course < size; row++) {
        int y1 = row * course, y2 = y1 + course - 2;
        for (int x1 = (row % 2) ? -course : 0; x1 < size; x1 += length) {
            int x2 = x1 + length - 2;
            int variant = noise(seed, 3);
            rectfill(picture, x1, y1, x2, y2, brick(variant));
            if (course >= 4) {
                hline(picture, x1, y1, x2, shade(brick(variant), 34));
                hline(picture, x1, y2, x2, shade(brick(variant), -40));
            }
            if (length >= 12) {
                vline(picture, x1, y1 + 1, y2 - 1, shade(brick(variant), 18));
                vline(picture, x2, y1 + 1, y2 - 1, shade(brick(variant), -28));
            }
        }
    }
    return picture;
}

BITMAP* smallTarget(int size) {
    if (size == 12) return fromRows(target12, 12);
    if (size == 8) return fromRows(target8, 8);
    // The 32-pixel ring's radii, measured in parts of the cell.
    BITMAP* picture = newPicture(size, size, maskColour());
    const double unit = size / 32.0;
    disc(picture, 12.5 * unit, goldRim());
    disc(picture, 11.5 * unit, gold());
    disc(picture, 9.5 * unit, maskColour());
    disc(picture, 7.5 * unit, goldInner());
    disc(picture, 4.5 * unit, goldCore());
    return picture;
}

BITMAP* smallBox(int size) {
    if (size == 12) return fromRows(box12, 12);
    if (size == 8) return fromRows(box8, 8);
    BITMAP* picture = newPicture(size, size, maskColour());
    const int edge = size / 16, last = size - 1 - edge;  // the crate's outline
    const int rim = size >= 24 ? 3 : 2;                  // the frame's width
    rectfill(picture, edge, edge, last, last, frame());
    rectfill(picture, edge + rim, edge + rim, last - rim, last - rim, plank());
    const int gap = size >= 24 ? 4 : 3;
    for (int y = edge + rim + gap; y < last - rim; y += gap + 1) {
        hline(picture, edge + rim, y, last - rim, plankGroove());
    }
    // The cross braces corner to corner, then the window in the middle.
    for (int t = 0; t <= last - rim - (edge + rim); t++) {
        putpixel(picture, edge + rim + t, edge + rim + t, frame());
        putpixel(picture, last - rim - t, edge + rim + t, frame());
    }
    const double unit = size / 32.0;
    disc(picture, 8 * unit, windowRim());
    disc(picture, 6 * unit, maskColour());
    hline(picture, edge, edge, last, frameLight());
    vline(picture, edge, edge, last, frameLight());
    hline(picture, edge, last, last, frameDark());
    vline(picture, last, edge, last, frameDark());
    if (size >= 24) {
        putpixel(picture, edge + 2, edge + 2, bolt());
        putpixel(picture, last - 2, edge + 2, bolt());
        putpixel(picture, edge + 2, last - 2, bolt());
        putpixel(picture, last - 2, last - 2, bolt());
    }
    return picture;
}

BITMAP* smallPlayer(char facing, int size) {
    if (size > 16) return scaledPlayer(facing, size);
    const int row = facingRow(facing);
    BITMAP* picture = size == 16 ? fromRows(player16[row], 16) : size == 12 ? fromRows(player12[row], 12)
                                                                             : fromRows(player8[row], 8);
    return facing == 'r' ? mirrored(picture) : picture;
}

BITMAP* paintPointer() { return fromRows(pointerRows, pointerWidth, pointerHeight); }

std::vector<int> boardPalette() {
    std::vector<int> colours = {stone(), stoneLight(), stoneDark(), stoneSpeckle(), stonePit(), mortar(),
                                gold(), goldRim(), goldInner(), goldCore(), frame(), frameLight(),
                                frameDark(), windowRim(), plank(), plankGroove(), bolt(), skin(), mouth(),
                                cheek(), cap(), capShade(), overalls(), overallsShade(), shirt(), boots(),
                                eye(), hair(), pointerLight(), pointerOutline()};
    for (int variant = 0; variant < 3; variant++) {
        for (int amount : {0, 34, -40, 18, -28}) colours.push_back(shade(brick(variant), amount));
    }
    return colours;
}

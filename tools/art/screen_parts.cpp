// The furniture shared by the full-screen pictures.
#include "screen_parts.h"

#include <cmath>
#include <cstring>

#include "art.h"
#include "paint.h"

namespace {

// The font's pixels for a line of text, row by row.
struct Glyphs {
    int width = 0, height = 0;
    std::vector<char> on;
    bool at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && on[size_t(y * width + x)];
    }
};

Glyphs glyphsOf(const char* text) {
    Glyphs glyphs;
    glyphs.width = text_length(font, text);
    glyphs.height = text_height(font);
    glyphs.on.assign(size_t(glyphs.width * glyphs.height), 0);
    if (glyphs.width == 0) return glyphs;
    BITMAP* small = create_bitmap_ex(32, glyphs.width, glyphs.height);
    clear_to_color(small, makecol32(0, 0, 0));
    textout_ex(small, font, text, 0, 0, makecol32(255, 255, 255), -1);
    for (int y = 0; y < glyphs.height; y++) {
        for (int x = 0; x < glyphs.width; x++) {
            glyphs.on[size_t(y * glyphs.width + x)] = getpixel(small, x, y) != makecol32(0, 0, 0);
        }
    }
    destroy_bitmap(small);
    return glyphs;
}

void roundedRect(BITMAP* target, int x1, int y1, int x2, int y2, int radius, int colour) {
    rectfill(target, x1 + radius, y1, x2 - radius, y2, colour);
    rectfill(target, x1, y1 + radius, x2, y2 - radius, colour);
    circlefill(target, x1 + radius, y1 + radius, radius, colour);
    circlefill(target, x2 - radius, y1 + radius, radius, colour);
    circlefill(target, x1 + radius, y2 - radius, radius, colour);
    circlefill(target, x2 - radius, y2 - radius, radius, colour);
}

// A straight bar with round ends.
void thickLine(BITMAP* target, double x1, double y1, double x2, double y2, double half, int colour) {
    double length = std::hypot(x2 - x1, y2 - y1);
    if (length < 1) return;
    double nx = -(y2 - y1) / length * half, ny = (x2 - x1) / length * half;
    int points[8] = {int(std::lround(x1 + nx)), int(std::lround(y1 + ny)), int(std::lround(x2 + nx)),
                     int(std::lround(y2 + ny)), int(std::lround(x2 - nx)), int(std::lround(y2 - ny)),
                     int(std::lround(x1 - nx)), int(std::lround(y1 - ny))};
    polygon(target, 4, points, colour);
    circlefill(target, int(std::lround(x1)), int(std::lround(y1)), int(half), colour);
    circlefill(target, int(std::lround(x2)), int(std::lround(y2)), int(half), colour);
}

}  // namespace

void dimArea(BITMAP* target, int x1, int y1, int x2, int y2, int percent) {
    lightArea(target, x1, y1, x2, y2, x1, y1, 1, percent, percent);
}

Lettering goldLettering(int scale) {
    int outline = scale / 3 > 1 ? scale / 3 : 1;
    return {scale, goldInk(), goldLight(), goldDark(), soot(), outline, makecol32(0, 0, 0), scale / 2 + outline};
}

Lettering creamLettering(int scale) {
    return {scale, creamInk(), makecol32(255, 250, 236), makecol32(196, 178, 146), soot(), 1, -1, 0};
}

int letteringWidth(const char* text, int scale) { return text_length(font, text) * scale; }

void letter(BITMAP* target, const char* text, int x, int y, const Lettering& style) {
    Glyphs glyphs = glyphsOf(text);
    const int k = style.scale;
    const int grow = style.outline != -1 ? style.outlineWidth : 0;
    const int bevel = k >= 3 ? (k / 4 > 1 ? k / 4 : 1) : 0;
    for (int pass = 0; pass < 3; pass++) {
        for (int gy = 0; gy < glyphs.height; gy++) {
            for (int gx = 0; gx < glyphs.width; gx++) {
                if (!glyphs.at(gx, gy)) continue;
                int px = x + gx * k, py = y + gy * k;
                if (pass == 0 && style.shadow != -1) {
                    int o = style.shadowOffset;
                    rectfill(target, px - grow + o, py - grow + o, px + k - 1 + grow + o, py + k - 1 + grow + o,
                             style.shadow);
                } else if (pass == 1 && style.outline != -1) {
                    rectfill(target, px - grow, py - grow, px + k - 1 + grow, py + k - 1 + grow, style.outline);
                } else if (pass == 2) {
                    rectfill(target, px, py, px + k - 1, py + k - 1, style.fill);
                    if (bevel == 0 || style.light == -1) continue;
                    if (!glyphs.at(gx, gy - 1)) rectfill(target, px, py, px + k - 1, py + bevel - 1, style.light);
                    if (!glyphs.at(gx - 1, gy)) rectfill(target, px, py, px + bevel - 1, py + k - 1, style.light);
                    if (!glyphs.at(gx, gy + 1)) rectfill(target, px, py + k - bevel, px + k - 1, py + k - 1, style.dark);
                    if (!glyphs.at(gx + 1, gy)) rectfill(target, px + k - bevel, py, px + k - 1, py + k - 1, style.dark);
                }
            }
        }
    }
}

void letterCentred(BITMAP* target, const char* text, int centreX, int y, const Lettering& style) {
    letter(target, text, centreX - letteringWidth(text, style.scale) / 2, y, style);
}

void smallText(BITMAP* target, const std::string& text, int x, int y, int colour) {
    textout_ex(target, font, text.c_str(), x + 1, y + 1, soot(), -1);
    textout_ex(target, font, text.c_str(), x, y, colour, -1);
}

void smallTextCentred(BITMAP* target, const std::string& text, int centreX, int y, int colour) {
    smallText(target, text, centreX - text_length(font, text.c_str()) / 2, y, colour);
}

std::vector<std::string> wrapWords(const std::string& text, int columns) {
    std::vector<std::string> lines;
    std::string line, word;
    bool lineOpen = false;
    auto placeWord = [&]() {
        if (word.empty()) return;
        if (!line.empty() && line.size() + 1 + word.size() > size_t(columns)) {
            lines.push_back(line);
            line.clear();
        }
        line += line.empty() ? word : " " + word;
        lineOpen = true;
        word.clear();
    };
    for (char c : text) {
        if (c == ' ') {
            placeWord();
        } else if (c == '\n') {
            placeWord();
            lines.push_back(line);
            line.clear();
            lineOpen = false;
        } else {
            word += c;
        }
    }
    placeWord();
    if (lineOpen) lines.push_back(line);
    return lines;
}

int paragraph(BITMAP* target, const std::string& text, int x, int y, int columns, int colour) {
    for (const std::string& line : wrapWords(text, columns)) {
        smallText(target, line, x, y, colour);
        y += 12;
    }
    return y;
}

void lightArea(BITMAP* target, int x1, int y1, int x2, int y2, int lampX, int lampY, int radius, int ambient,
               int peak) {
    const int mask = maskColour();
    for (int y = y1; y <= y2; y++) {
        for (int x = x1; x <= x2; x++) {
            int colour = getpixel(target, x, y);
            if (colour == mask || colour == -1) continue;
            double distance = std::hypot(x - lampX, y - lampY) / radius;
            double t = distance >= 1 ? 0 : 1 - distance;
            t = t * t * (3 - 2 * t);
            double f = (ambient + (peak - ambient) * t) / 100.0;
            putpixel(target, x, y, dithered(getr32(colour) * f, getg32(colour) * f, getb32(colour) * f, x, y));
        }
    }
}

BITMAP* brickBackdrop(int lampX, int lampY, int radius, int ambient, int peak) {
    BITMAP* picture = newPicture(pictureWidth, pictureHeight, soot());
    BITMAP* wall = paintWall();
    for (int y = 0; y < pictureHeight; y += 64) {
        for (int x = 0; x < pictureWidth; x += 64) stretch_blit(wall, picture, 0, 0, 32, 32, x, y, 64, 64);
    }
    destroy_bitmap(wall);
    lightArea(picture, 0, 0, pictureWidth - 1, pictureHeight - 1, lampX, lampY, radius, ambient, peak);
    return picture;
}

void noticePanel(BITMAP* target, int x1, int y1, int x2, int y2) {
    // The panel's shadow falls down and right over whatever lies behind it.
    dimArea(target, x1 + 8, y1 + 8, x2 + 8, y2 + 8, 40);
    rectfill(target, x1, y1, x2, y2, soot());
    rectfill(target, x1 + 2, y1 + 2, x2 - 2, y2 - 2, woodDark());
    hline(target, x1 + 2, y1 + 2, x2 - 2, shade(woodDark(), 40));
    vline(target, x1 + 2, y1 + 2, y2 - 2, shade(woodDark(), 24));
    hline(target, x1 + 2, y2 - 2, x2 - 2, shade(woodDark(), -40));
    vline(target, x2 - 2, y1 + 2, y2 - 2, shade(woodDark(), -30));
    rect(target, x1 + 8, y1 + 8, x2 - 8, y2 - 8, goldDark());
    rect(target, x1 + 9, y1 + 9, x2 - 9, y2 - 9, soot());
    verticalGradient(target, x1 + 10, y1 + 10, x2 - 10, y2 - 10, panelInk(), makecol32(24, 17, 15));
    for (int corner = 0; corner < 4; corner++) {
        int x = corner % 2 ? x2 - 5 : x1 + 5, y = corner / 2 ? y2 - 5 : y1 + 5;
        circlefill(target, x, y, 2, goldDark());
        putpixel(target, x - 1, y - 1, goldLight());
    }
}

void woodBoard(BITMAP* target, int x1, int y1, int x2, int y2, int plankHeight, unsigned seed) {
    uint32_t state = seed;
    rectfill(target, x1, y1, x2, y2, soot());
    for (int top = y1 + 2; top < y2 - 1; top += plankHeight) {
        int bottom = top + plankHeight - 2 < y2 - 2 ? top + plankHeight - 2 : y2 - 2;
        int plank = shade(woodInk(), noise(state, 25) - 16);
        rectfill(target, x1 + 2, top, x2 - 2, bottom, plank);
        // Grain: long streaks a shade lighter or darker than the plank.
        for (int streak = 0; streak < (x2 - x1) / 12; streak++) {
            int y = top + 2 + noise(state, bottom - top > 3 ? bottom - top - 3 : 1);
            int x = x1 + 2 + noise(state, x2 - x1 - 4);
            int length = 10 + noise(state, 50);
            int tone = noise(state, 2) ? shade(plank, -22) : shade(plank, 12);
            hline(target, x, y, x + length < x2 - 2 ? x + length : x2 - 2, tone);
        }
        hline(target, x1 + 2, top, x2 - 2, shade(plank, 30));
        hline(target, x1 + 2, bottom, x2 - 2, shade(plank, -46));
        for (int side = 0; side < 2; side++) {
            int nx = side ? x2 - 8 : x1 + 7, ny = (top + bottom) / 2;
            circlefill(target, nx, ny, 2, makecol32(70, 66, 64));
            putpixel(target, nx - 1, ny - 1, makecol32(200, 196, 190));
        }
    }
}

void insetSlot(BITMAP* target, int x1, int y1, int x2, int y2, int fill) {
    rectfill(target, x1, y1, x2, y2, fill);
    hline(target, x1, y1, x2, shade(fill, -30));
    vline(target, x1, y1, y2, shade(fill, -30));
    hline(target, x1 + 1, y1 + 1, x2, shade(fill, -14));
    hline(target, x1, y2, x2, shade(fill, 36));
    vline(target, x2, y1, y2, shade(fill, 26));
}

BoardSprites::BoardSprites()
    : floor(paintFloor()),
      wall(paintWall()),
      target(paintTarget()),
      box(paintBox()),
      player{paintPlayer('d'), paintPlayer('u'), paintPlayer('l'), paintPlayer('r')} {}

BoardSprites::~BoardSprites() {
    destroy_bitmap(floor);
    destroy_bitmap(wall);
    destroy_bitmap(target);
    destroy_bitmap(box);
    for (BITMAP* figure : player) destroy_bitmap(figure);
}

BITMAP* BoardSprites::playerFacing(char facing) const {
    switch (facing) {
        case 'u': return player[1];
        case 'l': return player[2];
        case 'r': return player[3];
        default: return player[0];
    }
}

void drawCell(BITMAP* target, BITMAP* sprite, int x, int y, int scale) {
    if (scale == 1) {
        draw_sprite(target, sprite, x, y);
    } else {
        stretch_sprite(target, sprite, x, y, sprite->w * scale, sprite->h * scale);
    }
}

void drawRoom(BITMAP* target, const BoardSprites& sprites, const std::vector<std::string>& rows, int x, int y,
              int scale) {
    const int size = 32 * scale;
    for (size_t row = 0; row < rows.size(); row++) {
        for (size_t column = 0; column < rows[row].size(); column++) {
            char c = rows[row][column];
            int px = x + int(column) * size, py = y + int(row) * size;
            if (c == ' ') continue;
            if (c == '#') {
                drawCell(target, sprites.wall, px, py, scale);
                continue;
            }
            drawCell(target, sprites.floor, px, py, scale);
            if (std::strchr(".*DULR", c)) drawCell(target, sprites.target, px, py, scale);
            if (c == '$' || c == '*') drawCell(target, sprites.box, px, py, scale);
            if (std::strchr("dulr", c)) drawCell(target, sprites.playerFacing(c), px, py, scale);
            if (std::strchr("DULR", c)) drawCell(target, sprites.playerFacing(char(c - 'A' + 'a')), px, py, scale);
        }
    }
}

void arrow(BITMAP* target, int x1, int y1, int x2, int y2, int halfWidth, int fill) {
    double length = std::hypot(x2 - x1, y2 - y1);
    if (length < 1) return;
    double ux = (x2 - x1) / length, uy = (y2 - y1) / length;
    double nx = -uy, ny = ux;
    auto shape = [&](double grow, int colour) {
        double half = halfWidth + grow, headHalf = halfWidth * 2.4 + grow * 1.6, headLength = halfWidth * 3.0;
        double tipX = x2 + ux * grow * 1.6, tipY = y2 + uy * grow * 1.6;
        double tailX = x1 - ux * grow, tailY = y1 - uy * grow;
        double neckX = x2 - ux * headLength, neckY = y2 - uy * headLength;
        double corners[14] = {tailX + nx * half,     tailY + ny * half,     neckX + nx * half,
                              neckY + ny * half,     neckX + nx * headHalf, neckY + ny * headHalf,
                              tipX,                  tipY,                  neckX - nx * headHalf,
                              neckY - ny * headHalf, neckX - nx * half,     neckY - ny * half,
                              tailX - nx * half,     tailY - ny * half};
        int points[14];
        for (int i = 0; i < 14; i++) points[i] = int(std::lround(corners[i]));
        polygon(target, 7, points, colour);
    };
    shape(2, soot());
    shape(0, fill);
}

void redCross(BITMAP* target, int centreX, int centreY, int size) {
    double s = size / 2.0, half = size / 9.0 + 1;
    thickLine(target, centreX - s, centreY - s, centreX + s, centreY + s, half + 2, soot());
    thickLine(target, centreX + s, centreY - s, centreX - s, centreY + s, half + 2, soot());
    thickLine(target, centreX - s, centreY - s, centreX + s, centreY + s, half, warningRed());
    thickLine(target, centreX + s, centreY - s, centreX - s, centreY + s, half, warningRed());
}

void greenTick(BITMAP* target, int centreX, int centreY, int size) {
    double s = size / 2.0, half = size / 9.0 + 1;
    double ax = centreX - s, ay = centreY, bx = centreX - s / 3, by = centreY + s * 0.6, cx = centreX + s,
           cy = centreY - s * 0.7;
    thickLine(target, ax, ay, bx, by, half + 2, soot());
    thickLine(target, bx, by, cx, cy, half + 2, soot());
    thickLine(target, ax, ay, bx, by, half, goodGreen());
    thickLine(target, bx, by, cx, cy, half, goodGreen());
}

void keyCap(BITMAP* target, int x, int y, int width, int height, const char* label) {
    const int x2 = x + width - 1, y2 = y + height - 1;
    const int face = makecol32(230, 222, 204);
    roundedRect(target, x - 1, y - 1, x2 + 1, y2 + 1, 5, soot());
    roundedRect(target, x, y, x2, y2, 4, makecol32(146, 134, 116));
    roundedRect(target, x + 2, y + 1, x2 - 2, y2 - 5, 3, face);
    hline(target, x + 5, y + 2, x2 - 5, makecol32(252, 248, 238));
    int faceCentreX = (x + x2) / 2, faceCentreY = (y + y2 - 5) / 2;
    if (std::strlen(label) == 1 && height >= 28) {
        Lettering plain = {2, soot(), -1, -1, -1, 0, -1, 0};
        letterCentred(target, label, faceCentreX + 1, faceCentreY - 7, plain);
    } else if (label[0] != '\0') {
        textout_centre_ex(target, font, label, faceCentreX + 1, faceCentreY - 3, soot(), -1);
    }
}

void arrowKeyCap(BITMAP* target, int x, int y, int size, char direction) {
    keyCap(target, x, y, size, size, "");
    int cx = x + size / 2, cy = y + (size - 5) / 2, r = size / 5;
    switch (direction) {
        case 'u': triangle(target, cx, cy - r, cx - r, cy + r, cx + r, cy + r, soot()); break;
        case 'd': triangle(target, cx, cy + r, cx - r, cy - r, cx + r, cy - r, soot()); break;
        case 'l': triangle(target, cx - r, cy, cx + r, cy - r, cx + r, cy + r, soot()); break;
        default: triangle(target, cx + r, cy, cx - r, cy - r, cx - r, cy + r, soot()); break;
    }
}

void questionBox(BITMAP* target, int centreX, int y, const char* question) {
    int width = text_length(font, question) + 32;
    int x1 = centreX - width / 2, x2 = x1 + width - 1;
    rectfill(target, x1 + 4, y + 4, x2 + 4, y + 31, soot());
    rectfill(target, x1, y, x2, y + 27, makecol32(0, 0, 0));
    rect(target, x1, y, x2, y + 27, makecol32(255, 255, 255));
    textout_centre_ex(target, font, question, centreX, y + 10, makecol32(255, 255, 255), -1);
}

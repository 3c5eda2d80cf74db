// The furniture the full-screen pictures share, so that title, menu, pages and
// interlude look like one game: the lamp-lit brick backdrop, the dark notice
// panel and the wooden boards, lettering, little rooms drawn with the board's
// own sprites, arrows, crosses and key caps.
#pragma once

#include <allegro.h>

#include <string>
#include <vector>

constexpr int pictureWidth = 640;
constexpr int pictureHeight = 480;

// The shared palette: a dark warm backdrop, brick, gold and wood.
inline int creamInk() { return makecol32(240, 228, 200); }
inline int goldInk() { return makecol32(246, 198, 66); }
inline int goldLight() { return makecol32(255, 236, 150); }
inline int goldDark() { return makecol32(168, 108, 28); }
inline int brickInk() { return makecol32(196, 92, 62); }
inline int woodInk() { return makecol32(184, 126, 64); }
inline int woodDark() { return makecol32(96, 58, 26); }
inline int soot() { return makecol32(20, 13, 10); }
inline int panelInk() { return makecol32(36, 26, 22); }
inline int warningRed() { return makecol32(222, 52, 40); }
inline int goodGreen() { return makecol32(104, 200, 84); }

// Big lettering built from the 8x8 font: every font pixel becomes a
// scale-sized block. Blocks on an upper or left edge of a stroke catch the
// light, those on a lower or right edge fall dark, so letters look carved.
struct Lettering {
    int scale;
    int fill;
    int light;    // -1: no bevel
    int dark;
    int outline;  // -1: no outline
    int outlineWidth;
    int shadow;   // -1: no drop shadow
    int shadowOffset;
};
Lettering goldLettering(int scale);
Lettering creamLettering(int scale);
int letteringWidth(const char* text, int scale);
void letter(BITMAP* target, const char* text, int x, int y, const Lettering& style);
void letterCentred(BITMAP* target, const char* text, int centreX, int y, const Lettering& style);

// Text in the plain 8x8 font with a one-pixel shadow, as the game prints it.
void smallText(BITMAP* target, const std::string& text, int x, int y, int colour);
void smallTextCentred(BITMAP* target, const std::string& text, int centreX, int y, int colour);
// Breaks text into lines of at most `columns` characters at spaces; a word
// longer than a line gets a line of its own. '\n' always starts a new line.
std::vector<std::string> wrapWords(const std::string& text, int columns);
// Prints wrapped text, 12 pixels a line, and returns the y below it.
int paragraph(BITMAP* target, const std::string& text, int x, int y, int columns, int colour);

// The whole picture covered in the wall's bricks at twice their size, dimmed to
// `ambient` percent and lit up to `peak` percent around a lamp at (lampX, lampY).
BITMAP* brickBackdrop(int lampX, int lampY, int radius, int ambient, int peak);
// Relights what is already painted in the rectangle, dithered for 16 bits.
void lightArea(BITMAP* target, int x1, int y1, int x2, int y2, int lampX, int lampY, int radius, int ambient,
               int peak);
// Darkens what is already painted in the rectangle to `percent` of its light.
void dimArea(BITMAP* target, int x1, int y1, int x2, int y2, int percent);
// A dark panel with a gold-lined frame and rivets in its corners.
void noticePanel(BITMAP* target, int x1, int y1, int x2, int y2);
// A board of horizontal planks with grain and nail heads.
void woodBoard(BITMAP* target, int x1, int y1, int x2, int y2, int plankHeight, unsigned seed);
// A recessed slot cut into a board or panel.
void insetSlot(BITMAP* target, int x1, int y1, int x2, int y2, int fill);

// The board's own sprites, painted once for a picture.
struct BoardSprites {
    BoardSprites();
    ~BoardSprites();
    BoardSprites(const BoardSprites&) = delete;
    BoardSprites& operator=(const BoardSprites&) = delete;
    BITMAP* floor;
    BITMAP* wall;
    BITMAP* target;
    BITMAP* box;
    BITMAP* player[4];  // facing down, up, left, right
    BITMAP* playerFacing(char facing) const;
};
// A room drawn from rows of characters, one cell per character at `scale`
// times the board size: '#' wall, '-' floor, '.' target, '$' crate,
// '*' crate on a target, 'd' 'u' 'l' 'r' the worker facing that way on floor,
// 'D' 'U' 'L' 'R' the worker standing on a target, ' ' nothing.
void drawRoom(BITMAP* target, const BoardSprites& sprites, const std::vector<std::string>& rows, int x, int y,
              int scale);
// One board sprite at `scale` times its size.
void drawCell(BITMAP* target, BITMAP* sprite, int x, int y, int scale);

// A thick arrow from (x1, y1) to its tip at (x2, y2), outlined in soot.
void arrow(BITMAP* target, int x1, int y1, int x2, int y2, int halfWidth, int fill);
// A red cross meaning "this will not move", and a green tick meaning "fine".
void redCross(BITMAP* target, int centreX, int centreY, int size);
void greenTick(BITMAP* target, int centreX, int centreY, int size);
// A little rounded key with its label; labels of one character are drawn
// twice as large. The arrow keys carry a triangle: 'u', 'd', 'l' or 'r'.
void keyCap(BITMAP* target, int x, int y, int width, int height, const char* label);
void arrowKeyCap(BITMAP* target, int x, int y, int size, char direction);
// The question box the game shows before it restarts or leaves a level.
void questionBox(BITMAP* target, int centreX, int y, const char* question);

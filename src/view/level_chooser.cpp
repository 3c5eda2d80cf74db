// The level chooser. A page is put together once when it comes up: its
// levels asked of the model, each drawn small into its box over the painted
// picture; moving the cursor within the page only redraws its frame over that.
// Like the menu, it draws only when something changes and otherwise sleeps.
#include "view/level_chooser.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>
#include <vector>

#include "input/close_request.h"
#include "input/key_presses.h"
#include "input/mouse_input.h"
#include "view/canvas.h"
#include "view/chooser_layout.h"
#include "view/resource_items.h"

namespace {

// Held keys walk on at the menu's pace; the keys are looked at as often as the menu does.
constexpr unsigned chooserRepeatDelayMs = 400;
constexpr unsigned chooserRepeatMs = 100;
constexpr unsigned chooserLookMs = 4;

BITMAP* item(DATAFILE* set, int number) { return static_cast<BITMAP*>(set[number].dat); }

int ink(BITMAP* target, int r, int g, int b) { return makecol_depth(bitmap_color_depth(target), r, g, b); }

// The lettering's colours, as the painted screens use them.
struct Inks {
    int gold, goldLight, soot, black, cream, dim, refusal;
};

Inks inksFor(BITMAP* target) {
    return {ink(target, 246, 198, 66),  ink(target, 255, 236, 150), ink(target, 20, 13, 10),
            ink(target, 0, 0, 0),       ink(target, 240, 228, 200), ink(target, 150, 132, 110),
            ink(target, 240, 112, 90)};
}

// The colours a level is drawn in when its cells are too small for the board
// pictures, taken from its smallest pictures: for each kind, the colour that
// covers the most of its picture weighted by how vivid it is, so a wall is
// its bricks rather than its mortar and a target its gold rather than its rim.
struct BoardInks {
    int floor, wall, target, box, boxEdge, boxOnTarget, player;
};

int telltaleColour(BITMAP* sprite, BITMAP* target) {
    const int depth = bitmap_color_depth(sprite);
    std::vector<std::pair<int, int>> counts;  // colour, pixels
    const int mask = bitmap_mask_color(sprite);
    for (int y = 0; y < sprite->h; y++) {
        for (int x = 0; x < sprite->w; x++) {
            int colour = getpixel(sprite, x, y);
            if (colour == mask) continue;
            size_t i = 0;
            while (i < counts.size() && counts[i].first != colour) i++;
            if (i == counts.size()) counts.push_back({colour, 0});
            counts[i].second++;
        }
    }
    int chosen = 0, best = -1;
    for (const auto& [colour, pixels] : counts) {
        const int r = getr_depth(depth, colour), g = getg_depth(depth, colour), b = getb_depth(depth, colour);
        const int vividness = std::max({r, g, b}) - std::min({r, g, b}) + 1;
        if (pixels * vividness > best) {
            chosen = colour;
            best = pixels * vividness;
        }
    }
    return ink(target, getr_depth(depth, chosen), getg_depth(depth, chosen), getb_depth(depth, chosen));
}

BoardInks boardInksFor(BITMAP* target, DATAFILE* sprites) {
    const int smallest = cellSizeCount - 1;
    auto of = [&](SpriteItem kind) { return telltaleColour(item(sprites, spriteItem(smallest, kind)), target); };
    BoardInks inks;
    inks.floor = of(spriteFloor);
    inks.wall = of(spriteWall);
    inks.target = of(spriteTarget);
    inks.box = of(spriteBox);
    inks.player = of(spritePlayerDown);
    // A crate home glows with the target's gold through its window.
    const int depth = bitmap_color_depth(target);
    auto mix = [depth](int a, int b, int part) {
        return makecol_depth(depth, (getr_depth(depth, a) * (8 - part) + getr_depth(depth, b) * part) / 8,
                             (getg_depth(depth, a) * (8 - part) + getg_depth(depth, b) * part) / 8,
                             (getb_depth(depth, a) * (8 - part) + getb_depth(depth, b) * part) / 8);
    };
    inks.boxOnTarget = mix(inks.box, inks.target, 5);
    inks.boxEdge = mix(inks.box, ink(target, 0, 0, 0), 5);
    return inks;
}

// Titles come from files of any origin: what the 8x8 font cannot show
// becomes '?', one for each character however many bytes it takes.
std::string printable(const std::string& text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c >= 0x80 && c < 0xC0) continue;
        shown += c >= 32 && c < 127 ? char(c) : '?';
    }
    return shown;
}

// The text cut to `width` pixels of the font, with "..." where it was cut.
std::string cutToFit(const std::string& text, int width) {
    if (text_length(font, text.c_str()) <= width) return text;
    std::string cut = text;
    while (!cut.empty() && text_length(font, (cut + "...").c_str()) > width) cut.pop_back();
    while (!cut.empty() && cut.back() == ' ') cut.pop_back();
    return cut + "...";
}

// The text broken at blanks into lines of at most `width` pixels of the font,
// at most `most` of them, the last cut to fit when more would be needed.
std::vector<std::string> wrapToWidth(const std::string& text, int width, int most) {
    std::vector<std::string> lines;
    std::string line, word;
    auto placeWord = [&]() {
        if (word.empty()) return;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && text_length(font, longer.c_str()) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        word.clear();
    };
    for (char c : text + " ") {
        if (c == ' ') {
            placeWord();
        } else {
            word += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    if (int(lines.size()) > most) {
        std::string rest = lines[size_t(most - 1)];
        for (size_t i = size_t(most); i < lines.size(); i++) rest += " " + lines[i];
        lines.resize(size_t(most));
        lines.back() = rest;
    }
    for (std::string& kept : lines) kept = cutToFit(kept, width);
    return lines;
}

// The font's text with a one-pixel shadow, as the painted screens write it.
void shadowedText(BITMAP* target, const std::string& text, int x, int y, int colour, int shadow) {
    textout_ex(target, font, text.c_str(), x + 1, y + 1, shadow, -1);
    textout_ex(target, font, text.c_str(), x, y, colour, -1);
}

// The collection's name in the menu's gold lettering: each pixel of the font
// a `scale`-sized block, outlined in soot over a drop shadow.
void goldLetters(BITMAP* target, const std::string& text, int x, int y, int scale, const Inks& inks) {
    const int width = text_length(font, text.c_str()), height = text_height(font);
    if (width <= 0) return;
    BITMAP* glyphs = create_bitmap_ex(8, width, height);
    clear_to_color(glyphs, 0);
    textout_ex(glyphs, font, text.c_str(), 0, 0, 1, -1);
    const int shadowOffset = scale / 2 + 1;
    for (int pass = 0; pass < 3; pass++) {
        const int colour = pass == 0 ? inks.black : pass == 1 ? inks.soot : inks.gold;
        const int grow = pass == 2 ? 0 : 1;
        const int offset = pass == 0 ? shadowOffset : 0;
        for (int gy = 0; gy < height; gy++) {
            for (int gx = 0; gx < width; gx++) {
                if (getpixel(glyphs, gx, gy) == 0) continue;
                const int px = x + gx * scale + offset, py = y + gy * scale + offset;
                rectfill(target, px - grow, py - grow, px + scale - 1 + grow, py + scale - 1 + grow, colour);
            }
        }
    }
    destroy_bitmap(glyphs);
}

// The mark of a solved level: a gold star outlined in soot.
void solvedMark(BITMAP* target, int centreX, int centreY, const Inks& inks) {
    const double pi = 3.14159265358979;
    auto star = [&](int dx, int dy, double outer, int colour) {
        int points[20];
        for (int i = 0; i < 10; i++) {
            const double radius = i % 2 ? outer * 0.45 : outer;
            const double angle = -pi / 2 + i * pi / 5;
            points[2 * i] = centreX + dx + int(std::lround(radius * std::cos(angle)));
            points[2 * i + 1] = centreY + dy + int(std::lround(radius * std::sin(angle)));
        }
        polygon(target, 10, points, colour);
    };
    for (int d = 0; d < 4; d++) star(d == 0 ? -1 : d == 1 ? 1 : 0, d == 2 ? -1 : d == 3 ? 1 : 0, 7.5, inks.soot);
    star(1, 1, 7.5, inks.black);
    star(0, 0, 7.5, inks.gold);
    star(0, -1, 3.5, inks.goldLight);
}

// The cells of a level picture that are floor the player stands on: those
// reached from the player, a box or a target without crossing a wall. Floor
// outside the walls stays undrawn, so the level shows its own shape.
std::vector<char> insideCells(const LevelPicture& picture) {
    const int columns = picture.columns, rows = picture.rows;
    auto at = [&](int column, int row) {
        const std::string& line = picture.lines[size_t(row)];
        return size_t(column) < line.size() ? line[size_t(column)] : ' ';
    };
    std::vector<char> inside(size_t(columns * rows), 0);
    std::vector<int> waiting;
    for (int row = 0; row < rows; row++) {
        for (int column = 0; column < columns; column++) {
            char c = at(column, row);
            if (c == '@' || c == '+' || c == '$' || c == '*' || c == '.') {
                inside[size_t(row * columns + column)] = 1;
                waiting.push_back(row * columns + column);
            }
        }
    }
    while (!waiting.empty()) {
        const int cell = waiting.back();
        waiting.pop_back();
        const int column = cell % columns, row = cell / columns;
        const int next[4][2] = {{column - 1, row}, {column + 1, row}, {column, row - 1}, {column, row + 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[1] < 0 || n[0] >= columns || n[1] >= rows) continue;
            const int index = n[1] * columns + n[0];
            if (inside[size_t(index)] || at(n[0], n[1]) == '#') continue;
            inside[size_t(index)] = 1;
            waiting.push_back(index);
        }
    }
    return inside;
}

int pageOf(int number) { return number >= 1 ? (number - 1) / chooserPageLevels : 0; }
int slotOf(int number) { return number >= 1 ? (number - 1) % chooserPageLevels : 0; }

// The levels of one page, asked of the model once when the page comes up.
struct ChooserPage {
    int first = 0;  // the number of its first level
    int shown = 0;  // how many levels it shows
    ChooserLevel levels[chooserPageLevels];
    LevelPicture pictures[chooserPageLevels];
};

void askForPage(ChooserPage& page, const ChooserModel& model, int cursor) {
    page.first = pageOf(cursor) * chooserPageLevels + 1;
    page.shown = 0;
    for (int slot = 0; slot < chooserPageLevels && page.first + slot <= model.count; slot++) {
        page.levels[slot] = model.level(page.first + slot);
        page.pictures[slot] = model.picture(page.first + slot);
        page.shown++;
    }
}

// A level's whole board fitted into a rectangle, centred, every cell the
// same whole number of pixels so nothing smears: with the board pictures of
// the largest size that fits, or in squares of their colours when even the
// smallest pictures are too big.
void drawLevelPicture(BITMAP* target, DATAFILE* sprites, const BoardInks& inks, const LevelPicture& picture, int x,
                      int y, int width, int height) {
    const int columns = picture.columns, rows = picture.rows;
    if (columns <= 0 || rows <= 0 || int(picture.lines.size()) < rows) return;
    int cell = std::min(width / columns, height / rows);
    if (cell < 1) return;
    int sizeIndex = -1;
    for (int i = 0; i < cellSizeCount && sizeIndex < 0; i++) {
        if (cellSizes[i] <= cell) sizeIndex = i;
    }
    if (sizeIndex >= 0) cell = cellSizes[sizeIndex];
    const int left = x + (width - columns * cell) / 2, top = y + (height - rows * cell) / 2;
    const std::vector<char> inside = insideCells(picture);
    auto sprite = [&](SpriteItem kind) { return item(sprites, spriteItem(sizeIndex, kind)); };
    for (int row = 0; row < rows; row++) {
        const std::string& line = picture.lines[size_t(row)];
        for (int column = 0; column < columns; column++) {
            const char c = size_t(column) < line.size() ? line[size_t(column)] : ' ';
            const bool wall = c == '#', onTarget = c == '.' || c == '*' || c == '+';
            const bool box = c == '$' || c == '*', player = c == '@' || c == '+';
            if (!wall && !inside[size_t(row * columns + column)]) continue;
            const int px = left + column * cell, py = top + row * cell;
            if (sizeIndex >= 0) {
                blit(sprite(spriteFloor), target, 0, 0, px, py, cell, cell);
                if (wall) draw_sprite(target, sprite(spriteWall), px, py);
                if (onTarget) draw_sprite(target, sprite(spriteTarget), px, py);
                if (box) draw_sprite(target, sprite(spriteBox), px, py);
                if (player) draw_sprite(target, sprite(spritePlayerDown), px, py);
                continue;
            }
            const int last = cell - 1;
            rectfill(target, px, py, px + last, py + last, wall ? inks.wall : inks.floor);
            // Boxes and the player stand a pixel in from the cell's edge once
            // cells are big enough to spare it, so neighbours stay apart.
            const int in = cell >= 5 ? 1 : 0;
            if (box) {
                // A crate keeps its dark frame where there is room for it.
                if (cell >= 4) rectfill(target, px + in, py + in, px + last - in, py + last - in, inks.boxEdge);
                const int body = cell >= 4 ? in + 1 : in;
                rectfill(target, px + body, py + body, px + last - body, py + last - body,
                         onTarget && cell < 5 ? inks.boxOnTarget : inks.box);
                if (onTarget && cell >= 5) {
                    const int core = cell / 3, from = (cell - core) / 2;
                    rectfill(target, px + from, py + from, px + from + core - 1, py + from + core - 1, inks.target);
                }
            } else if (onTarget) {
                const int mark = cell <= 2 ? cell : (cell + 1) / 2, from = (cell - mark) / 2;
                rectfill(target, px + from, py + from, px + from + mark - 1, py + from + mark - 1, inks.target);
            }
            if (player) rectfill(target, px + in, py + in, px + last - in, py + last - in, inks.player);
        }
    }
}

// The best figures in words, or in letters when the numbers run long.
std::string figuresOf(const ChooserLevel& level, int width) {
    const unsigned moves = level.bestMoves, pushes = level.bestPushes;
    std::string figures = std::to_string(moves) + (moves == 1 ? " move / " : " moves / ") + std::to_string(pushes) +
                          (pushes == 1 ? " push" : " pushes");
    if (text_length(font, figures.c_str()) <= width) return figures;
    return std::to_string(moves) + " m / " + std::to_string(pushes) + " p";
}

void drawLevelBox(BITMAP* target, DATAFILE* sprites, const Inks& inks, const BoardInks& boardInks,
                  const ChooserPage& page, int slot) {
    const ChooserLevel& level = page.levels[slot];
    const LevelPicture& picture = page.pictures[slot];
    const int x = chooserBoxLeft(slot), y = chooserBoxTop(slot);
    const int lineWidth = chooserBoxWidth - 2 * chooserTitleX;

    const std::string number = std::to_string(page.first + slot);
    shadowedText(target, number, x + chooserTitleX, y + chooserTitleY, inks.gold, inks.soot);
    const int titleX = x + chooserTitleX + text_length(font, (number + " ").c_str());
    const int titleWidth = x + chooserMarkX - 10 - titleX;
    if (titleWidth > 0) {
        shadowedText(target, cutToFit(printable(level.title), titleWidth), titleX, y + chooserTitleY, inks.cream,
                     inks.soot);
    }
    const bool playable = level.refusal.empty();
    if (level.solved && playable) solvedMark(target, x + chooserMarkX, y + chooserMarkY, inks);

    const int pictureX = x + chooserPictureX, pictureY = y + chooserPictureY;
    if (!playable) {
        // The reason stands where the best figures would; one that takes
        // more than a line stands in the picture's place under the words.
        const std::vector<std::string> reason = wrapToWidth(printable(level.refusal), lineWidth, 3);
        const bool oneLine = reason.size() <= 1;
        const int lines = oneLine ? 1 : 1 + int(reason.size());
        int lineY = pictureY + (chooserPictureHeight - lines * 11) / 2;
        const char* cannot = "cannot be played";
        shadowedText(target, cannot, pictureX + (chooserPictureWidth - text_length(font, cannot)) / 2, lineY,
                     inks.dim, inks.soot);
        for (const std::string& part : reason) {
            lineY += 11;
            const int partX = pictureX + (chooserPictureWidth - text_length(font, part.c_str())) / 2;
            shadowedText(target, part, oneLine ? x + chooserTitleX : partX, oneLine ? y + chooserFiguresY : lineY,
                         inks.refusal, inks.soot);
        }
        return;
    }
    drawLevelPicture(target, sprites, boardInks, picture, pictureX, pictureY, chooserPictureWidth,
                     chooserPictureHeight);
    if (level.solved) {
        shadowedText(target, figuresOf(level, lineWidth), x + chooserTitleX, y + chooserFiguresY, inks.cream,
                     inks.soot);
    } else {
        shadowedText(target, "not solved yet", x + chooserTitleX, y + chooserFiguresY, inks.dim, inks.soot);
    }
}

// The heading: the collection's name on the left, how much of it is solved
// and which page this is on the right.
void drawHeading(BITMAP* target, const ChooserModel& model, int firstShown, const Inks& inks) {
    const int right = screenWidth - 14;
    const std::string solved = "solved " + std::to_string(model.solvedCount) + " of " + std::to_string(model.count);
    const int pages = (model.count + chooserPageLevels - 1) / chooserPageLevels;
    const std::string pageLine = model.count == 0 ? std::string("no levels")
                                                  : "page " + std::to_string(pageOf(firstShown) + 1) + " of " +
                                                        std::to_string(pages);
    const int solvedWidth = text_length(font, solved.c_str()), pageWidth = text_length(font, pageLine.c_str());
    shadowedText(target, solved, right - solvedWidth, 9, inks.cream, inks.soot);
    shadowedText(target, pageLine, right - pageWidth, 25, inks.dim, inks.soot);

    const int scale = 2;
    const int nameRoom = right - std::max(solvedWidth, pageWidth) - 24 - 14;
    const std::string name = cutToFit(printable(model.collectionName), nameRoom / scale);
    goldLetters(target, name, 14, (chooserHeadingBottom - 8 * scale) / 2, scale, inks);
}

// The page without the cursor.
void composePage(BITMAP* target, DATAFILE* sprites, DATAFILE* screens, const ChooserModel& model,
                 const ChooserPage& page) {
    blit(item(screens, screenChooser), target, 0, 0, 0, 0, screenWidth, screenHeight);
    const Inks inks = inksFor(target);
    const BoardInks boardInks = boardInksFor(target, sprites);
    drawHeading(target, model, page.first, inks);
    for (int slot = 0; slot < page.shown; slot++) {
        drawLevelBox(target, sprites, inks, boardInks, page, slot);
    }
}

// The cursor: a bright gold frame in the gap around the chosen box.
void drawCursor(BITMAP* target, int slot) {
    const Inks inks = inksFor(target);
    const int x1 = chooserBoxLeft(slot), y1 = chooserBoxTop(slot);
    const int x2 = x1 + chooserBoxWidth - 1, y2 = y1 + chooserBoxHeight - 1;
    const int colours[chooserCursorReach] = {inks.gold, inks.goldLight, inks.goldLight, inks.soot};
    for (int out = 1; out <= chooserCursorReach; out++) {
        rect(target, x1 - out, y1 - out, x2 + out, y2 + out, colours[out - 1]);
    }
}

unsigned millisecondsSince(std::chrono::steady_clock::time_point start) {
    auto elapsed = std::chrono::steady_clock::now() - start;
    return unsigned(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

// The first level that can be played and is not solved, or 0.
int firstUnsolved(const ChooserModel& model) {
    for (int number = 1; number <= model.count; number++) {
        const ChooserLevel level = model.level(number);
        if (!level.solved && level.refusal.empty()) return number;
    }
    return 0;
}

// The keys that browse the chooser: the moves walk on while held, the rest
// act once a press.
struct ChooserKeys {
    KeyRepeat left, right, up, down, pageUp, pageDown;
    KeyLatch home, end, enter, replay, unsolved, back;
};

}  // namespace

int cursorAfter(int cursor, ChooserMove move, int count) {
    if (count <= 0) return 0;
    cursor = std::min(std::max(cursor, 1), count);
    auto rowOf = [](int number) { return (number - 1) / chooserColumns; };
    int to = cursor;
    switch (move) {
        case ChooserMove::left: to = cursor - 1; break;
        case ChooserMove::right: to = cursor + 1; break;
        case ChooserMove::up: to = cursor - chooserColumns; break;
        case ChooserMove::down:
            to = cursor + chooserColumns;
            if (to > count && rowOf(count) > rowOf(cursor)) to = count;
            break;
        case ChooserMove::pageUp: to = std::max(cursor - chooserPageLevels, 1); break;
        case ChooserMove::pageDown: to = std::min(cursor + chooserPageLevels, count); break;
        case ChooserMove::first: to = 1; break;
        case ChooserMove::last: to = count; break;
    }
    return to >= 1 && to <= count ? to : cursor;
}

void composeChooserPage(BITMAP* target, DATAFILE* sprites, DATAFILE* screens, const ChooserModel& model,
                        int cursor) {
    ChooserPage page;
    askForPage(page, model, cursor);
    composePage(target, sprites, screens, model, page);
    if (model.count > 0) drawCursor(target, slotOf(cursor));
}

// The level whose box holds a pixel of the picture, on the page the cursor is
// on; 0 for a pixel between the boxes or past the collection's end.
int levelAtPoint(int x, int y, int cursor, int count) {
    for (int slot = 0; slot < chooserPageLevels; slot++) {
        const int left = chooserGridLeft + (slot % chooserColumns) * (chooserBoxWidth + chooserBoxGapX);
        const int top = chooserGridTop + (slot / chooserColumns) * (chooserBoxHeight + chooserBoxGapY);
        if (x < left || y < top || x >= left + chooserBoxWidth || y >= top + chooserBoxHeight) continue;
        const int number = pageOf(cursor) * chooserPageLevels + slot + 1;
        return number <= count ? number : 0;
    }
    return 0;
}

ChooserChoice runLevelChooser(DATAFILE* sprites, DATAFILE* screens, const ChooserModel& model, int startAt) {
    BITMAP* pageShown = create_bitmap(screenWidth, screenHeight);
    MouseWatch mouse;
    holdOverMouse(mouse);
    ChooserPage page;
    int cursor = model.count > 0 ? std::min(std::max(startAt, 1), model.count) : 0;
    int askedPage = -1, composedPage = -1;

    ChooserKeys keys;
    for (KeyRepeat* repeat : {&keys.left, &keys.right, &keys.up, &keys.down, &keys.pageUp, &keys.pageDown}) {
        resetKeyRepeat(*repeat);
    }
    holdOver(keys.left, key[KEY_LEFT]);
    holdOver(keys.right, key[KEY_RIGHT]);
    holdOver(keys.up, key[KEY_UP]);
    holdOver(keys.down, key[KEY_DOWN]);
    holdOver(keys.pageUp, key[KEY_PGUP]);
    holdOver(keys.pageDown, key[KEY_PGDN]);
    holdOver(keys.home, key[KEY_HOME]);
    holdOver(keys.end, key[KEY_END]);
    holdOver(keys.enter, key[KEY_ENTER]);
    holdOver(keys.replay, key[KEY_P]);
    holdOver(keys.unsolved, key[KEY_N]);
    holdOver(keys.back, key[KEY_ESC]);
    clear_keybuf();

    const auto opened = std::chrono::steady_clock::now();
    bool redraw = true;
    ChooserChoice choice = {ChooserAction::back, cursor};
    bool chosen = false;
    while (!chosen) {
        actOnCloseRequest();
        // A click on a level's picture opens it, as Enter on it does.
        if (lookAtPointer()) redraw = true;
        int clicked = 0;
        if (readMouse(mouse).leftClick && pointer.shown) clicked = levelAtPoint(pointer.x, pointer.y, cursor, model.count);
        if (clicked) cursor = clicked;
        const unsigned now = millisecondsSince(opened);
        auto walks = [&](KeyRepeat& repeat, int scancode) {
            return keyPressedOrRepeated(repeat, key[scancode], now, chooserRepeatDelayMs, chooserRepeatMs);
        };
        const int before = cursor;
        if (walks(keys.left, KEY_LEFT)) cursor = cursorAfter(cursor, ChooserMove::left, model.count);
        if (walks(keys.right, KEY_RIGHT)) cursor = cursorAfter(cursor, ChooserMove::right, model.count);
        if (walks(keys.up, KEY_UP)) cursor = cursorAfter(cursor, ChooserMove::up, model.count);
        if (walks(keys.down, KEY_DOWN)) cursor = cursorAfter(cursor, ChooserMove::down, model.count);
        if (walks(keys.pageUp, KEY_PGUP)) cursor = cursorAfter(cursor, ChooserMove::pageUp, model.count);
        if (walks(keys.pageDown, KEY_PGDN)) cursor = cursorAfter(cursor, ChooserMove::pageDown, model.count);
        if (keyPressed(keys.home, key[KEY_HOME])) cursor = cursorAfter(cursor, ChooserMove::first, model.count);
        if (keyPressed(keys.end, key[KEY_END])) cursor = cursorAfter(cursor, ChooserMove::last, model.count);
        if (keyPressed(keys.unsolved, key[KEY_N])) {
            const int unsolved = firstUnsolved(model);
            if (unsolved) cursor = unsolved;
        }
        redraw = redraw || cursor != before;
        if (askedPage != pageOf(cursor)) {
            askForPage(page, model, cursor);
            askedPage = pageOf(cursor);
        }

        // The level under the cursor, as its page shows it: what Enter and P may do with it.
        const ChooserLevel* under = cursor >= 1 ? &page.levels[slotOf(cursor)] : nullptr;
        if ((keyPressed(keys.enter, key[KEY_ENTER]) || clicked) && under && under->refusal.empty()) {
            choice = {ChooserAction::play, cursor};
            chosen = true;
        }
        if (keyPressed(keys.replay, key[KEY_P]) && under && under->solved && under->refusal.empty()) {
            choice = {ChooserAction::replay, cursor};
            chosen = true;
        }
        if (keyPressed(keys.back, key[KEY_ESC])) {
            choice = {ChooserAction::back, cursor};
            chosen = true;
        }
        if (chosen) break;
        if (!redraw) {
            // The chooser shows what it should: look at the keys again shortly.
            rest(chooserLookMs);
            continue;
        }
        redraw = false;
        if (composedPage != askedPage) {
            composePage(pageShown, sprites, screens, model, page);
            composedPage = askedPage;
        }
        blit(pageShown, canvas, 0, 0, 0, 0, screenWidth, screenHeight);
        if (model.count > 0) drawCursor(canvas, slotOf(cursor));
        presentCanvas();
    }
    destroy_bitmap(pageShown);
    // The presses that browsed here are spent; none is left for what comes next.
    clear_keybuf();
    return choice;
}

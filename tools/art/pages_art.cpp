// The instruction pages and the interlude shown while a page turns. Seven
// pages teach the game in order: the goal, pushing, stuck crates, the keys,
// the questions the game asks, the status panel, and last the menu. Every page
// sits on the same panel, with a heading, pictures drawn with the board's own
// sprites and a footer saying what the next key press does.
#include <cmath>
#include <cstdio>
#include <string>

#include "art.h"
#include "view/board_notes.h"
#include "paint.h"
#include "screen_parts.h"

namespace {

const int pageCount = 7;
const int left = 44;           // where body text starts
const int bodyTop = 74;
const int footerRule = 426;

// Seven dots under the footer, the current page's gold.
void pageDots(BITMAP* picture, int page, int y) {
    const int step = 16, first = pictureWidth / 2 - (pageCount - 1) * step / 2;
    for (int i = 1; i <= pageCount; i++) {
        int x = first + (i - 1) * step;
        circlefill(picture, x, y, 4, soot());
        circlefill(picture, x, y, 3, i == page ? goldInk() : woodDark());
        if (i == page) putpixel(picture, x - 1, y - 1, goldLight());
    }
}

BITMAP* pageFrame(const char* heading, int page) {
    BITMAP* picture = brickBackdrop(320, 200, 520, 24, 62);
    noticePanel(picture, 14, 8, pictureWidth - 15, pictureHeight - 9);
    letterCentred(picture, heading, pictureWidth / 2, 24, goldLettering(3));
    hline(picture, 36, 58, pictureWidth - 37, goldDark());
    hline(picture, 36, 59, pictureWidth - 37, soot());
    hline(picture, 36, footerRule, pictureWidth - 37, goldDark());
    hline(picture, 36, footerRule + 1, pictureWidth - 37, soot());
    char footer[64];
    if (page < pageCount) {
        std::snprintf(footer, sizeof footer, "Press a key or click to continue (page %d of %d)", page, pageCount);
    } else {
        std::snprintf(footer, sizeof footer, "Press a key or click to return to the menu");
    }
    smallTextCentred(picture, footer, pictureWidth / 2, footerRule + 9, creamInk());
    pageDots(picture, page, footerRule + 30);
    return picture;
}

// A short line in twice-size lettering, for the words a page wants remembered.
void saying(BITMAP* picture, const char* text, int x, int y, int colour) {
    Lettering style = creamLettering(2);
    style.fill = colour;
    letter(picture, text, x, y, style);
}

// A framed sprite with a caption to its right, for the legend of page one.
void legendEntry(BITMAP* picture, const BoardSprites& sprites, const char* cell, int x, int y, const char* caption) {
    rect(picture, x - 2, y - 2, x + 33, y + 33, soot());
    drawRoom(picture, sprites, {cell}, x, y, 1);
    smallText(picture, caption, x + 44, y + 12, creamInk());
}

BITMAP* goalPage() {
    BITMAP* picture = pageFrame("The Goal", 1);
    BoardSprites sprites;
    int y = paragraph(picture,
                      "You are the yard worker in the red cap. Every room of the warehouse holds wooden "
                      "crates and gold target rings.",
                      left, bodyTop + 4, 34, creamInk());
    saying(picture, "Push every crate", left, y + 8, goldInk());
    saying(picture, "onto a target.", left, y + 28, goldInk());
    y = paragraph(picture,
                  "When enough crates stand on targets the level is won, and the next level follows "
                  "at once.\n\nWin the last level of the set and the game takes you back to the main menu.",
                  left, y + 56, 34, creamInk());

    const int legendTop = y + 12;
    legendEntry(picture, sprites, "d", left, legendTop, "you");
    legendEntry(picture, sprites, "$", left, legendTop + 40, "a crate");
    legendEntry(picture, sprites, ".", left, legendTop + 80, "a target");
    legendEntry(picture, sprites, "#", 190, legendTop, "a wall");
    legendEntry(picture, sprites, "*", 190, legendTop + 40, "crate home");
    smallText(picture, "(gold shows)", 234, legendTop + 64, goldInk());

    // Before and after: the same room unsolved, then solved by pushing the
    // left crate left and the right crate right.
    const int roomX = 374, roomW = 7 * 32;
    rectfill(picture, roomX - 4, 70, roomX + roomW + 3, 70 + 4 * 32 + 7, soot());
    drawRoom(picture, sprites, {"#######", "#.$-$.#", "#--u--#", "#######"}, roomX, 74, 1);
    arrow(picture, roomX + roomW / 2, 214, roomX + roomW / 2, 250, 6, goldInk());
    smallText(picture, "push, push...", roomX + roomW / 2 + 24, 226, creamInk());
    rectfill(picture, roomX - 4, 258, roomX + roomW + 3, 258 + 4 * 32 + 7, soot());
    drawRoom(picture, sprites, {"#######", "#*--r*#", "#-----#", "#######"}, roomX, 262, 1);
    letterCentred(picture, "Level won!", roomX + roomW / 2 - 16, 402, goldLettering(2));
    greenTick(picture, roomX + roomW / 2 + 92, 408, 22);
    return picture;
}

// One example of a push: the strip of cells, an arrow showing the push, the
// verdict beside it and a caption.
void pushExample(BITMAP* picture, const BoardSprites& sprites, const char* cells, int y, bool moves,
                 const char* caption) {
    rectfill(picture, left - 4, y - 4, left + 4 * 64 + 3, y + 67, soot());
    drawRoom(picture, sprites, {cells}, left, y, 2);
    if (moves) {
        arrow(picture, left + 198, y + 32, left + 248, y + 32, 5, goodGreen());
        greenTick(picture, left + 4 * 64 + 28, y + 32, 28);
    } else {
        redCross(picture, left + 4 * 64 + 28, y + 32, 28);
    }
    paragraph(picture, caption, left + 4 * 64 + 56, y + 8, 30, creamInk());
}

BITMAP* pushingPage() {
    BITMAP* picture = pageFrame("Pushing", 2);
    BoardSprites sprites;
    paragraph(picture,
              "Walk into a crate to push it one cell ahead of you; you step into the cell it "
              "leaves. You can push only one crate at a time.",
              left, bodyTop + 2, 68, creamInk());
    pushExample(picture, sprites, "-r$-", 118, true, "The cell behind the crate is free: the crate moves one cell.");
    pushExample(picture, sprites, "-r$#", 200, false, "A wall behind the crate: it will not move.");
    pushExample(picture, sprites, "-r$$", 282, false,
                "Another crate behind it: neither moves. Two crates are too heavy.");
    saying(picture, "Crates are never pulled.", left, 370, goldInk());
    paragraph(picture, "Walking away from a crate leaves it where it stands.", left, 396, 68, creamInk());
    return picture;
}

BITMAP* stuckPage() {
    BITMAP* picture = pageFrame("Stuck Crates", 3);
    BoardSprites sprites;
    int y = paragraph(picture,
                      "Because a crate is only ever pushed, never pulled, a crate pushed into a corner "
                      "can never come out again: to push it out you would have to stand inside a wall.",
                      left, bodyTop + 2, 68, creamInk());

    // A crate in a corner, crossed out.
    const int cornerX = left + 8, cornerY = y + 14;
    rectfill(picture, cornerX - 4, cornerY - 4, cornerX + 3 * 64 + 3, cornerY + 2 * 64 + 3, soot());
    drawRoom(picture, sprites, {"###", "#$l"}, cornerX, cornerY, 2);
    redCross(picture, cornerX + 96, cornerY + 96, 44);
    smallTextCentred(picture, "stuck in a corner", cornerX + 96, cornerY + 2 * 64 + 10, creamInk());

    // A crate against a wall with no target along it.
    const int wallX = 300, wallY = y + 14;
    rectfill(picture, wallX - 4, wallY - 4, wallX + 9 * 32 + 3, wallY + 3 * 32 + 3, soot());
    drawRoom(picture, sprites, {"#########", "#-r$----#", "#-------#"}, wallX, wallY, 1);
    arrow(picture, wallX + 104, wallY + 80, wallX + 40, wallY + 80, 3, goldInk());
    arrow(picture, wallX + 120, wallY + 80, wallX + 248, wallY + 80, 3, goldInk());
    paragraph(picture,
              "A crate against a wall can only slide along it. With no target beside that wall, "
              "the crate is lost too.",
              wallX, wallY + 3 * 32 + 14, 36, creamInk());

    // The ways out: take the push back, ask for a hint, or start again.
    const int keyY = cornerY + 2 * 64 + 34;
    keyCap(picture, left + 8, keyY, 40, 34, "U");
    saying(picture, "Press U to take it back.", left + 64, keyY + 2, goldInk());
    smallText(picture, "The game warns you as soon as a push has lost the level.", left + 64, keyY + 24,
              creamInk());
    keyCap(picture, left + 8, keyY + 44, 40, 34, "H");
    saying(picture, "Press H for a hint.", left + 64, keyY + 46, goldInk());
    smallText(picture, "An arrow marks the crate to push next, and which way.", left + 64, keyY + 68, creamInk());
    keyCap(picture, left + 8, keyY + 88, 40, 34, "R");
    saying(picture, "Stuck? Press R to restart.", left + 64, keyY + 90, goldInk());
    smallText(picture, "The level starts again as it began. Look before you push!", left + 64, keyY + 112,
              creamInk());
    return picture;
}

// One entry of the key table: the key centred at `keyX`, what it does beside
// it, and a line or two more in `columns` characters.
void keyRow(BITMAP* picture, const char* key, int keyWidth, int keyX, int y, const char* what, const char* more,
            int columns) {
    keyCap(picture, keyX - keyWidth / 2, y, keyWidth, 34, key);
    const int textX = keyX + 46;
    saying(picture, what, textX, y + 2, goldInk());
    paragraph(picture, more, textX, y + 24, columns, creamInk());
}

BITMAP* keysPage() {
    BITMAP* picture = pageFrame("Keys in Play", 4);
    // The four arrows in their usual inverted T.
    const int size = 34, cx = 110, top = bodyTop + 4;
    arrowKeyCap(picture, cx - size / 2, top, size, 'u');
    arrowKeyCap(picture, cx - size / 2 - size - 4, top + size + 4, size, 'l');
    arrowKeyCap(picture, cx - size / 2, top + size + 4, size, 'd');
    arrowKeyCap(picture, cx + size / 2 + 4, top + size + 4, size, 'r');
    saying(picture, "Move one cell", 200, top + 12, goldInk());
    paragraph(picture,
              "One cell for each press. Holding a key down does not walk on: let go and press "
              "again for the next cell.",
              200, top + 36, 34, creamInk());
    // The worker in the middle of a little floor, free to go four ways.
    BoardSprites sprites;
    const int roomX = 500, roomY = top - 2;
    rectfill(picture, roomX - 4, roomY - 4, roomX + 3 * 32 + 3, roomY + 3 * 32 + 3, soot());
    drawRoom(picture, sprites, {"---", "-d-", "---"}, roomX, roomY, 1);
    arrow(picture, roomX + 48, roomY + 30, roomX + 48, roomY + 6, 3, goldInk());
    arrow(picture, roomX + 48, roomY + 66, roomX + 48, roomY + 90, 3, goldInk());
    arrow(picture, roomX + 30, roomY + 48, roomX + 6, roomY + 48, 3, goldInk());
    arrow(picture, roomX + 66, roomY + 48, roomX + 90, roomY + 48, 3, goldInk());

    // Two columns: the game's commands on the left, the helping hands on the right.
    const int first = top + 2 * size + 22, step = 60, leftKey = 76, rightKey = 384;
    keyRow(picture, "S", 40, leftKey, first, "Save the game", "A file selector asks for a file name.", 28);
    keyRow(picture, "M", 40, leftKey, first + step, "New tune", "Picks another tune at random.", 28);
    keyRow(picture, "R", 40, leftKey, first + 2 * step, "Restart", "Asks first; your counters are kept.", 28);
    keyRow(picture, "Esc", 56, leftKey, first + 3 * step, "Main menu", "Asks first, then goes back to the menu.", 28);
    keyRow(picture, "U", 40, rightKey, first, "Take back", "The last step or push. Backspace too.", 21);
    keyRow(picture, "Shift+U", 72, rightKey, first + step, "Do again", "What U took back. Ctrl+Y too.", 21);
    keyRow(picture, "H", 40, rightKey, first + 2 * step, "Hint", "Marks the crate to push next.", 21);
    // What the hint looks like on the board.
    const int hintX = rightKey + 46, hintY = first + 3 * step;
    rectfill(picture, hintX - 4, hintY - 4, hintX + 3 * 32 + 3, hintY + 32 + 3, soot());
    drawRoom(picture, sprites, {"r$."}, hintX, hintY, 1);
    drawPushMark(picture, hintX + 32, hintY, 'r');
    smallText(picture, "a hint", hintX + 3 * 32 + 12, hintY + 12, creamInk());
    return picture;
}

// A file selector as the game shows it when saving, with a name typed in.
void fileSelector(BITMAP* picture, int x, int y) {
    const int w = 224, h = 96;
    rectfill(picture, x + 4, y + 4, x + w + 3, y + h + 3, soot());
    rectfill(picture, x, y, x + w - 1, y + h - 1, makecol32(208, 204, 196));
    rect(picture, x, y, x + w - 1, y + h - 1, makecol32(0, 0, 0));
    rectfill(picture, x + 1, y + 1, x + w - 2, y + 14, makecol32(128, 58, 38));
    textout_ex(picture, font, "Save game", x + 6, y + 4, makecol32(255, 255, 255), -1);
    rectfill(picture, x + 10, y + 26, x + w - 11, y + 42, makecol32(255, 255, 255));
    rect(picture, x + 10, y + 26, x + w - 11, y + 42, makecol32(0, 0, 0));
    textout_ex(picture, font, "myyard.kzs", x + 14, y + 31, makecol32(0, 0, 0), -1);
    vline(picture, x + 14 + 80 + 1, y + 29, y + 39, makecol32(0, 0, 0));
    for (int button = 0; button < 2; button++) {
        int bx = x + 30 + button * 94;
        rectfill(picture, bx, y + 60, bx + 70, y + 80, makecol32(230, 228, 222));
        rect(picture, bx, y + 60, bx + 70, y + 80, makecol32(0, 0, 0));
        textout_centre_ex(picture, font, button ? "Cancel" : "OK", bx + 35, y + 67, makecol32(0, 0, 0), -1);
    }
}

// Two curved arrows chasing each other round a point: the level spinning.
void spinMark(BITMAP* picture, int cx, int cy, int radius) {
    for (int half = 0; half < 2; half++) {
        for (int a = 0; a < 70; a++) {
            double angle = (half * 180 + a * 2) * 3.14159265 / 180;
            int x = cx + int(radius * std::cos(angle)), y = cy + int(radius * std::sin(angle));
            circlefill(picture, x, y, 3, soot());
        }
    }
    for (int half = 0; half < 2; half++) {
        for (int a = 0; a < 70; a++) {
            double angle = (half * 180 + a * 2) * 3.14159265 / 180;
            int x = cx + int(radius * std::cos(angle)), y = cy + int(radius * std::sin(angle));
            circlefill(picture, x, y, 2, goldInk());
        }
        double end = (half * 180 + 140) * 3.14159265 / 180;
        int tx = cx + int(radius * std::cos(end)), ty = cy + int(radius * std::sin(end));
        int dx = int(-std::sin(end) * 8), dy = int(std::cos(end) * 8);
        int nx = int(std::cos(end) * 7), ny = int(std::sin(end) * 7);
        triangle(picture, tx + dx, ty + dy, tx + nx, ty + ny, tx - nx, ty - ny, goldInk());
    }
}

BITMAP* questionsPage() {
    BITMAP* picture = pageFrame("Saving and Restarting", 5);
    BoardSprites sprites;
    // Saving.
    keyCap(picture, left + 4, bodyTop + 6, 40, 34, "S");
    int y = paragraph(picture,
                      "Press S to save. A file selector asks for a file name; type one and press Enter. "
                      "Saved games use the extension .kzs, as in myyard.kzs.",
                      left + 60, bodyTop + 4, 32, creamInk());
    fileSelector(picture, 380, bodyTop + 6);

    // Restarting.
    const int restartTop = y > bodyTop + 110 ? y + 12 : bodyTop + 122;
    keyCap(picture, left + 4, restartTop + 2, 40, 34, "R");
    y = paragraph(picture, "Press R to restart. The game asks first:", left + 60, restartTop + 4, 40, creamInk());
    questionBox(picture, left + 60 + 128, y + 6, "Are you sure (y/n)?");
    y = paragraph(picture,
                  "Press Y and the level spins and starts again from the beginning. Your Level, Steps "
                  "Taken and Times pushed counters are kept. Press N to play on.",
                  left + 60, y + 48, 36, creamInk());
    spinMark(picture, 520, restartTop + 70, 34);
    drawCell(picture, sprites.box, 504, restartTop + 54, 1);

    // Leaving.
    const int escTop = y + 14;
    keyCap(picture, left - 4, escTop + 2, 56, 34, "Esc");
    paragraph(picture,
              "Press Esc to return to the main menu. The game asks first in the same way: Y "
              "leaves the level, N plays on.",
              left + 60, escTop + 4, 62, creamInk());
    return picture;
}

BITMAP* panelPage() {
    BITMAP* picture = pageFrame("The Status Panel", 6);
    BoardSprites sprites;
    paragraph(picture,
              "Under the room, at the bottom of the play screen, three lines keep count of your game:",
              left, bodyTop + 2, 68, creamInk());

    // The bottom of a play screen, magnified twice: the panel as the game prints it.
    const int shotX = left, shotY = bodyTop + 32, shotW = 320;
    rectfill(picture, shotX - 4, shotY - 4, shotX + shotW + 3, shotY + 143, soot());
    rectfill(picture, shotX, shotY, shotX + shotW - 1, shotY + 139, makecol32(0, 0, 0));
    drawRoom(picture, sprites, {"-#-*-"}, shotX, shotY, 2);
    const char* lines[3] = {"Level        : 4", "Steps Taken  : 213", "Times pushed : 57"};
    Lettering white = {2, makecol32(255, 255, 255), -1, -1, -1, 0, -1, 0};
    for (int i = 0; i < 3; i++) letter(picture, lines[i], shotX + 6, shotY + 72 + i * 22, white);

    const char* meanings[3] = {"the level you are on", "each cell you walk", "each time a crate moves"};
    for (int i = 0; i < 3; i++) {
        int y = shotY + 79 + i * 22;
        arrow(picture, shotX + shotW + 32, y, shotX + shotW + 10, y, 3, goldInk());
        smallText(picture, meanings[i], shotX + shotW + 42, y - 3, creamInk());
    }
    int y = shotY + 162;
    saying(picture, "The counters run on.", left, y, goldInk());
    y = paragraph(picture,
                  "A new level does not set them back to nought: they keep counting across all the "
                  "levels of a game. Restarting a level keeps them too, and a saved game keeps them "
                  "for later. Try to win each level in as few steps and pushes as you can.",
                  left, y + 26, 68, creamInk());

    // The end of one level and the start of the next: the counts carry over.
    const char* won[3] = {"Level        : 1", "Steps Taken  : 64", "Times pushed : 12"};
    const char* next[3] = {"Level        : 2", "Steps Taken  : 64", "Times pushed : 12"};
    for (int box = 0; box < 2; box++) {
        int x = box ? 380 : 84;
        rectfill(picture, x - 4, y + 10, x + 156, y + 54, soot());
        rectfill(picture, x - 2, y + 12, x + 154, y + 52, makecol32(0, 0, 0));
        for (int i = 0; i < 3; i++) {
            textout_ex(picture, font, box ? next[i] : won[i], x + 4, y + 16 + i * 12, makecol32(255, 255, 255), -1);
        }
    }
    arrow(picture, 262, y + 32, 356, y + 32, 5, goldInk());
    smallTextCentred(picture, "level won", 309, y + 12, creamInk());
    return picture;
}

// A small copy of the menu with the cursor at its first entry.
void miniMenu(BITMAP* picture, int x, int y) {
    woodBoard(picture, x, y, x + 210, y + 112, 28, 99u);
    const char* entries[4] = {"New Game", "Continue Saved Game", "Instructions", "Exit"};
    for (int i = 0; i < 4; i++) {
        int rowY = y + 10 + i * 24;
        insetSlot(picture, x + 8, rowY, x + 202, rowY + 19, makecol32(52, 32, 18));
        textout_right_ex(picture, font, entries[i], x + 168, rowY + 6, menuEntryInk(), -1);
    }
    BITMAP* cursor = paintMenuCursor();
    stretch_sprite(picture, cursor, x + 172, y + 14, 24, 14);
    destroy_bitmap(cursor);
}

BITMAP* closingPage() {
    BITMAP* picture = pageFrame("The Menu and the Mouse", 7);
    const int top = bodyTop + 6;
    arrowKeyCap(picture, left + 4, top, 34, 'u');
    arrowKeyCap(picture, left + 42, top, 34, 'd');
    saying(picture, "choose an entry", left + 92, top + 10, goldInk());
    keyCap(picture, left + 4, top + 46, 72, 34, "Enter");
    saying(picture, "select it", left + 92, top + 56, goldInk());
    miniMenu(picture, 392, top - 2);

    int y = paragraph(picture,
                      "New Game starts a fresh game at the first level. Continue Saved Game opens a "
                      "saved .kzs file and starts that level again from its beginning, with the level "
                      "number and the counters as they were saved. Instructions shows these pages "
                      "again. Exit closes the game.\n\n"
                      "O opens a collection of your own: a .txt, .sok or .xsb file, or a folder of level "
                      "files. L chooses any level of it and shows what you have solved; there N finds "
                      "the first unsolved level and P replays your best.",
                      left, top + 122, 68, creamInk());

    saying(picture, "With the mouse", left, y + 8, goldInk());
    // The game's own pointer beside the words, twice its size.
    BITMAP* pointer = paintPointer();
    stretch_sprite(picture, pointer, left + 240, y + 2, pointer->w * 2, pointer->h * 2);
    destroy_bitmap(pointer);
    paragraph(picture,
              "Point at an entry and click it; a click turns these pages too. In play, click a "
              "cell to walk there. Click a crate and gold dots show where it can go: click one "
              "and the crate is pushed there. The right button takes a move back, the wheel "
              "takes back and does again. F5 makes the window larger, then small again.",
              left, y + 46, 68, creamInk());
    return picture;
}

}  // namespace

BITMAP* paintInstructionPage(int page) {
    switch (page) {
        case 1: return goalPage();
        case 2: return pushingPage();
        case 3: return stuckPage();
        case 4: return keysPage();
        case 5: return questionsPage();
        case 6: return panelPage();
        default: return closingPage();
    }
}

BITMAP* paintInterlude() {
    // The page frame without words: the worker mid-push on a strip of floor,
    // dust flying, and the name small below.
    BITMAP* picture = brickBackdrop(320, 220, 420, 24, 66);
    noticePanel(picture, 120, 120, pictureWidth - 121, pictureHeight - 121);
    BoardSprites sprites;
    rectfill(picture, 156, 172, 156 + 5 * 64 + 7, 172 + 64 + 7, soot());
    drawRoom(picture, sprites, {"-r$-."}, 160, 176, 2);
    for (int puff = 0; puff < 3; puff++) {
        circlefill(picture, 200 - puff * 14, 226 + (puff % 2) * 6, 5 - puff, makecol32(180, 168, 150));
    }
    arrow(picture, 296, 150, 376, 150, 4, goldInk());
    letterCentred(picture, "boxyard", pictureWidth / 2, 274, goldLettering(4));
    smallTextCentred(picture, "turning the page...", pictureWidth / 2, 322, creamInk());
    return picture;
}

// The menu picture against the game's menu, which draws the cursor sprite at
// x 390 on rows 64, 92, 122 and 152: each entry must sit left of the cursor's
// tip, centred on its row, and nothing painted in the entries' ink may stray.
#include <gtest/gtest.h>

#include <algorithm>

#include "art/art.h"
#include "art/screen_parts.h"
#include "picture_checks.h"
#include "view/resource_items.h"

// The game's own test of where a click falls (view/menu_entries.h, whose
// constants the art's header names again).
int entryAtPoint(int x, int y);

namespace {

const int cursorX = 390;
const int cursorRows[4] = {64, 92, 122, 152};
const char* const entries[4] = {"New Game", "Continue Saved Game", "Instructions", "Exit"};

int cursorHeight() { return screenPicture(screenMenuCursor)->h; }

// The rows of the cursor's row band an entry-ink pixel at y belongs to, or -1.
int bandOf(int y) {
    for (int i = 0; i < 4; i++) {
        if (y >= cursorRows[i] && y < cursorRows[i] + cursorHeight()) return i;
    }
    return -1;
}

struct InkBox {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, pixels = 0;
};

}  // namespace

TEST(MenuPicture, CursorRowBandsDoNotOverlap) {
    for (int i = 0; i + 1 < 4; i++) EXPECT_LE(cursorRows[i] + cursorHeight(), cursorRows[i + 1]) << "rows " << i;
}

TEST(MenuPicture, EntryInkStaysLeftOfTheCursorAndInsideItsRows) {
    BITMAP* menu = screenPicture(screenMenu);
    const int ink = ink16(menuEntryInk());
    InkBox boxes[4];
    for (int y = 0; y < menu->h; y++) {
        for (int x = 0; x < menu->w; x++) {
            if (getpixel(menu, x, y) != ink) continue;
            int band = bandOf(y);
            ASSERT_GE(band, 0) << "entry ink outside every cursor row at " << x << "," << y;
            ASSERT_LT(x, cursorX) << "entry ink under the cursor at " << x << "," << y;
            InkBox& box = boxes[band];
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
            box.pixels++;
        }
    }
    for (int i = 0; i < 4; i++) {
        ASSERT_GT(boxes[i].pixels, 50) << "entry " << i + 1 << " is missing";
        double centre = (boxes[i].top + boxes[i].bottom) / 2.0;
        EXPECT_NEAR(centre, cursorRows[i] + (cursorHeight() - 1) / 2.0, 2.0) << "entry " << i + 1;
        EXPECT_GE(boxes[i].right, cursorX - 24) << "entry " << i + 1 << " stands too far from the cursor";
    }
}

TEST(MenuPicture, EntriesReadInTheGamesOrder) {
    BITMAP* menu = screenPicture(screenMenu);
    const int ink = ink16(menuEntryInk());
    for (int i = 0; i < 4; i++) {
        EXPECT_TRUE(showsText(menu, entries[i], 2, ink, cursorRows[i], cursorRows[i] + cursorHeight() - 16))
            << entries[i];
    }
}

TEST(MenuPicture, HintLinesNameTheKeys) {
    EXPECT_TRUE(showsText(screenPicture(screenMenu), "Up/Down to choose, Enter to select", 2,
                          ink16(creamInk()), 400, screenHeight - 16));
    EXPECT_TRUE(showsText(screenPicture(screenMenu), "O opens a collection, L chooses a level", 2,
                          ink16(creamInk()), 400, screenHeight - 16));
}

// A click anywhere on an entry's lettering, or on the cursor beside it, takes
// that entry; the gap between two slots takes none.
TEST(MenuPicture, EveryEntryIsClickedWhereItIsPainted) {
    for (int entry = 0; entry < 4; entry++) {
        const MenuEntryPlace place = menuEntryPlace(entry);
        for (int y = place.top; y <= place.bottom; y++) {
            EXPECT_EQ(entryAtPoint(place.left, y), entry + 1);
            EXPECT_EQ(entryAtPoint(place.right, y), entry + 1);
        }
        EXPECT_EQ(entryAtPoint(cursorX + 20, cursorRows[entry] + cursorHeight() / 2), entry + 1);
    }
    EXPECT_EQ(entryAtPoint(200, 30), 0) << "the name above the board";
    EXPECT_EQ(entryAtPoint(200, 300), 0) << "the yard below";
    EXPECT_EQ(entryAtPoint(500, cursorRows[0] + 10), 0) << "the room beside the board";
}

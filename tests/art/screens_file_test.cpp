// data.dat as the game loads it: every item of the kind and size the game
// draws or plays, pictures that look finished rather than flat, and pages that
// say what they teach.
#include <gtest/gtest.h>

#include <map>

#include "art/screen_parts.h"
#include "picture_checks.h"
#include "view/resource_items.h"

namespace {

const int fullScreenItems[] = {screenInterlude, 2, 3, 4, 5, 6, 7, screenClosingPage, screenTitle, screenMenu,
                               screenChooser};

}  // namespace

TEST(ScreensFile, HoldsEveryItemOfTheKindTheGameUses) {
    DATAFILE* items = screens();
    ASSERT_NE(items, nullptr) << "data.dat does not load";
    int count = 0;
    while (items[count].type != DAT_END) count++;
    ASSERT_EQ(count, screenItemCount);
    for (int i = 0; i < count; i++) {
        EXPECT_EQ(items[i].type, i == screenPushSound ? DAT_SAMPLE : DAT_BITMAP) << "item " << i;
    }
}

TEST(ScreensFile, FullScreenPicturesFillTheWindowAtSixteenBits) {
    for (int item : fullScreenItems) {
        BITMAP* picture = screenPicture(item);
        EXPECT_EQ(picture->w, screenWidth) << "item " << item;
        EXPECT_EQ(picture->h, screenHeight) << "item " << item;
        EXPECT_EQ(bitmap_color_depth(picture), 16) << "item " << item;
    }
}

TEST(ScreensFile, PushSoundIsOverBeforeTheNextStep) {
    SAMPLE* sound = static_cast<SAMPLE*>(screens()[screenPushSound].dat);
    ASSERT_GT(sound->freq, 0);
    double seconds = double(sound->len) / sound->freq;
    EXPECT_GT(seconds, 0.02);
    EXPECT_LT(seconds, 0.3);
}

TEST(ScreensFile, CursorIsASmallMaskedArrowPointingLeft) {
    BITMAP* cursor = screenPicture(screenMenuCursor);
    ASSERT_LE(cursor->w, 64);
    ASSERT_LE(cursor->h, 40);
    const int mask = bitmap_mask_color(cursor);
    EXPECT_EQ(getpixel(cursor, 0, 0), mask);
    EXPECT_EQ(getpixel(cursor, 0, cursor->h - 1), mask);
    // The leftmost drawn column is the tip: at the very left, on the middle row.
    int tipColumn = -1, tipTop = -1, tipBottom = -1;
    for (int x = 0; x < cursor->w && tipColumn < 0; x++) {
        for (int y = 0; y < cursor->h; y++) {
            if (getpixel(cursor, x, y) == mask) continue;
            if (tipTop < 0) tipTop = y;
            tipBottom = y;
            tipColumn = x;
        }
    }
    EXPECT_LE(tipColumn, 1);
    EXPECT_NEAR((tipTop + tipBottom) / 2.0, (cursor->h - 1) / 2.0, 1.0);
    EXPECT_LE(tipBottom - tipTop, 3) << "the tip should be a point, not an edge";
}

TEST(ScreensFile, NoPictureIsNearlyOneColour) {
    for (int item : fullScreenItems) {
        BITMAP* picture = screenPicture(item);
        std::map<int, int> counts;
        for (int y = 0; y < picture->h; y++) {
            for (int x = 0; x < picture->w; x++) counts[getpixel(picture, x, y)]++;
        }
        int dominant = 0;
        for (const auto& entry : counts) dominant = entry.second > dominant ? entry.second : dominant;
        EXPECT_GE(counts.size(), 64u) << "item " << item << " has few colours";
        EXPECT_LT(dominant, picture->w * picture->h * 2 / 5) << "item " << item << " is mostly one colour";
    }
}

TEST(ScreensFile, EveryPictureIsItsOwn) {
    for (int a : fullScreenItems) {
        for (int b : fullScreenItems) {
            if (a >= b) continue;
            BITMAP* first = screenPicture(a);
            BITMAP* second = screenPicture(b);
            int differing = 0;
            for (int y = 0; y < first->h; y++) {
                for (int x = 0; x < first->w; x++) differing += getpixel(first, x, y) != getpixel(second, x, y);
            }
            EXPECT_GT(differing, first->w * first->h / 20) << "items " << a << " and " << b << " are nearly alike";
        }
    }
}

TEST(InstructionPages, EachPageSaysWhatTheNextKeyDoes) {
    const int cream = ink16(creamInk());
    for (int page = 1; page <= 6; page++) {
        std::string footer = "Press a key or click to continue (page " + std::to_string(page) + " of 7)";
        EXPECT_TRUE(showsText(screenPicture(screenFirstPage + page - 1), footer.c_str(), 1, cream, 400, 470))
            << "page " << page;
    }
    EXPECT_TRUE(showsText(screenPicture(screenClosingPage), "Press a key or click to return to the menu", 1, cream, 400,
                          470));
    EXPECT_FALSE(showsText(screenPicture(screenClosingPage), "Press a key or click to continue", 1, cream, 400, 470));
}

TEST(InstructionPages, PagesComeInTeachingOrder) {
    const int gold = ink16(goldInk());
    const int white = makecol16(255, 255, 255);
    EXPECT_TRUE(showsText(screenPicture(2), "Push every crate", 2, gold, 60, 420));
    EXPECT_TRUE(showsText(screenPicture(3), "Crates are never pulled.", 2, gold, 60, 420));
    EXPECT_TRUE(showsText(screenPicture(4), "Stuck? Press R to restart.", 2, gold, 60, 420));
    EXPECT_TRUE(showsText(screenPicture(5), "Save the game", 2, gold, 60, 420));
    EXPECT_TRUE(showsText(screenPicture(6), "Are you sure (y/n)?", 1, white, 60, 420));
    EXPECT_TRUE(showsText(screenPicture(7), "Times pushed : 57", 2, white, 60, 420));
    EXPECT_TRUE(showsText(screenPicture(7), "The counters run on.", 2, gold, 60, 420));
    EXPECT_TRUE(showsText(screenPicture(screenClosingPage), "choose an entry", 2, gold, 60, 420));
}

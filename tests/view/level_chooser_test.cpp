// The level chooser's page, composed into a memory bitmap over the painted
// picture: the cursor's frame, the solved star, and the levels of the page
// shown, asked for and nothing else. And where the cursor keys take it.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <string>

#include "view/chooser_layout.h"
#include "view/level_chooser.h"
#include "view/resource_items.h"

namespace {

struct ChooserTest : ::testing::Test {
    static DATAFILE* sprites;
    static DATAFILE* screens;
    BITMAP* page = nullptr;
    std::set<int> solved;
    std::set<int> asked;  // every number the model was asked about
    ChooserModel model;

    static void SetUpTestSuite() {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(16);
        sprites = load_datafile(GAME_DIR "/sprites.dat");
        screens = load_datafile(GAME_DIR "/data.dat");
        ASSERT_NE(sprites, nullptr);
        ASSERT_NE(screens, nullptr);
    }
    void SetUp() override {
        page = create_bitmap(screenWidth, screenHeight);
        model.collectionName = "Test yard";
        model.count = 30;
        model.level = [this](int number) {
            asked.insert(number);
            ChooserLevel level;
            level.number = number;
            level.solved = solved.count(number) != 0;
            level.bestMoves = 12;
            level.bestPushes = 3;
            return level;
        };
        // Level n is a room n floor cells long: each level's picture its own.
        model.picture = [this](int number) {
            asked.insert(number);
            LevelPicture picture;
            picture.columns = number + 4;
            picture.rows = 3;
            const std::string walls(size_t(picture.columns), '#');
            picture.lines = {walls, "#@" + std::string(size_t(number - 1), ' ') + "$.#", walls};
            return picture;
        };
    }
    void TearDown() override { destroy_bitmap(page); }

    BITMAP* background() { return static_cast<BITMAP*>(screens[screenChooser].dat); }

    // How many pixels of a rectangle differ between two pictures.
    static int differing(BITMAP* a, BITMAP* b, int x, int y, int width, int height) {
        int count = 0;
        for (int py = y; py < y + height; py++) {
            for (int px = x; px < x + width; px++) count += getpixel(a, px, py) != getpixel(b, px, py);
        }
        return count;
    }

    // A pixel on each side of the ring `out` pixels around a box.
    static std::vector<std::pair<int, int>> ringAround(int slot, int out) {
        const int x1 = chooserBoxLeft(slot) - out, y1 = chooserBoxTop(slot) - out;
        const int x2 = chooserBoxLeft(slot) + chooserBoxWidth - 1 + out;
        const int y2 = chooserBoxTop(slot) + chooserBoxHeight - 1 + out;
        return {{(x1 + x2) / 2, y1}, {(x1 + x2) / 2, y2}, {x1, (y1 + y2) / 2}, {x2, (y1 + y2) / 2}};
    }
};

DATAFILE* ChooserTest::sprites = nullptr;
DATAFILE* ChooserTest::screens = nullptr;

}  // namespace

TEST_F(ChooserTest, TheCursorsFrameGoesAroundTheChosenLevelOnly) {
    composeChooserPage(page, sprites, screens, model, 5);
    const int frame = getpixel(page, ringAround(4, 2)[0].first, ringAround(4, 2)[0].second);
    for (auto [x, y] : ringAround(4, 2)) {
        EXPECT_EQ(getpixel(page, x, y), frame) << x << ", " << y;
        EXPECT_NE(getpixel(background(), x, y), frame) << x << ", " << y;
    }
    for (int slot : {0, 3, 5, 8}) {
        for (auto [x, y] : ringAround(slot, 2)) {
            EXPECT_EQ(getpixel(page, x, y), getpixel(background(), x, y)) << "slot " << slot;
        }
    }
}

TEST_F(ChooserTest, ASolvedLevelShowsItsStarAndAnUnsolvedOneNone) {
    solved = {1};
    composeChooserPage(page, sprites, screens, model, 1);
    const int reach = 8;
    auto markArea = [&](int slot) {
        return differing(page, background(), chooserBoxLeft(slot) + chooserMarkX - reach,
                         chooserBoxTop(slot) + chooserMarkY - reach, 2 * reach + 1, 2 * reach + 1);
    };
    EXPECT_GT(markArea(0), 40) << "level 1 is solved";
    EXPECT_EQ(markArea(1), 0) << "level 2 is not";
}

TEST_F(ChooserTest, APageShowsItsOwnLevelsAndAsksForNoOthers) {
    composeChooserPage(page, sprites, screens, model, 1);
    BITMAP* second = create_bitmap(screenWidth, screenHeight);
    asked.clear();
    composeChooserPage(second, sprites, screens, model, 13);
    EXPECT_EQ(asked, std::set<int>({10, 11, 12, 13, 14, 15, 16, 17, 18}));
    // Level 10 stands where level 1 stood, and shows its own room.
    EXPECT_GT(differing(page, second, chooserBoxLeft(0) + chooserPictureX, chooserBoxTop(0) + chooserPictureY,
                        chooserPictureWidth, chooserPictureHeight),
              0);

    // The last page shows the levels that are left, and empty boxes after them.
    asked.clear();
    composeChooserPage(second, sprites, screens, model, 30);
    EXPECT_EQ(asked, std::set<int>({28, 29, 30}));
    EXPECT_GT(differing(second, background(), chooserBoxLeft(2), chooserBoxTop(2), chooserBoxWidth,
                        chooserBoxHeight),
              0);
    EXPECT_EQ(differing(second, background(), chooserBoxLeft(3), chooserBoxTop(3), chooserBoxWidth,
                        chooserBoxHeight),
              0);
    destroy_bitmap(second);
}

TEST(ChooserCursor, MovesWithinTheCollectionAndNeverOutOfIt) {
    // 20 levels: rows of three, the last row holding 19 and 20.
    EXPECT_EQ(cursorAfter(1, ChooserMove::left, 20), 1);
    EXPECT_EQ(cursorAfter(3, ChooserMove::right, 20), 4) << "right at a row's end goes on to the next row";
    EXPECT_EQ(cursorAfter(20, ChooserMove::right, 20), 20);
    EXPECT_EQ(cursorAfter(11, ChooserMove::up, 20), 8);
    EXPECT_EQ(cursorAfter(2, ChooserMove::up, 20), 2);
    EXPECT_EQ(cursorAfter(10, ChooserMove::up, 20), 7) << "up from a page's top row goes to the page before";
    EXPECT_EQ(cursorAfter(18, ChooserMove::down, 20), 20) << "no level below: the last, on the row below";
    EXPECT_EQ(cursorAfter(19, ChooserMove::down, 20), 19);
    EXPECT_EQ(cursorAfter(4, ChooserMove::pageDown, 20), 13);
    EXPECT_EQ(cursorAfter(15, ChooserMove::pageDown, 20), 20);
    EXPECT_EQ(cursorAfter(5, ChooserMove::pageUp, 20), 1);
    EXPECT_EQ(cursorAfter(7, ChooserMove::last, 20), 20);
    EXPECT_EQ(cursorAfter(7, ChooserMove::first, 20), 1);
    EXPECT_EQ(cursorAfter(1, ChooserMove::down, 0), 0) << "an empty collection has nowhere to go";
}

// A composed frame shows each cell as its sprites say, layer over layer, and
// the status panel as the library's font writes it.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "level_builder.h"
#include "rules/board.h"
#include "view/resource_items.h"
#include "view/board_view.h"

namespace {

struct FrameTest : ::testing::Test {
    static DATAFILE* sprites;
    BITMAP* frame = nullptr;

    static void SetUpTestSuite() {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(16);
        sprites = load_datafile(GAME_DIR "/sprites.dat");
        ASSERT_NE(sprites, nullptr);
    }
    void SetUp() override {
        frame = create_bitmap(screenWidth, screenHeight);
        fillFloor();
        board.levelNumber = 1;
        board.stepsTaken = 0;
        board.timesPushed = 0;
    }
    void TearDown() override { destroy_bitmap(frame); }

    BITMAP* sprite(int item) { return static_cast<BITMAP*>(sprites[item].dat); }

    // What a cell must show: each layer's sprite over the ones below, its
    // mask-coloured pixels letting the lower layers through.
    ::testing::AssertionResult cellShows(int column, int row, std::initializer_list<int> layers) {
        for (int y = 0; y < cellPixels; y++) {
            for (int x = 0; x < cellPixels; x++) {
                int expected = 0;
                for (int layer : layers) {
                    int pixel = getpixel(sprite(layer), x, y);
                    if (layer == spriteFloor || pixel != bitmap_mask_color(sprite(layer))) expected = pixel;
                }
                int actual = getpixel(frame, column * cellPixels + x, row * cellPixels + y);
                if (actual != expected) {
                    return ::testing::AssertionFailure()
                           << "cell (" << column << ", " << row << ") pixel (" << x << ", " << y << ")";
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    // The line's pixels are white exactly where the font writes the text.
    ::testing::AssertionResult statusLineReads(int y, const std::string& text) {
        const int white = makecol(255, 255, 255);
        BITMAP* expected = create_bitmap(screenWidth, 8);
        clear_bitmap(expected);
        textout_ex(expected, font, text.c_str(), 0, 0, white, -1);
        for (int py = 0; py < 8; py++) {
            for (int px = 0; px < screenWidth; px++) {
                if ((getpixel(expected, px, py) == white) != (getpixel(frame, px, y + py) == white)) {
                    destroy_bitmap(expected);
                    return ::testing::AssertionFailure() << "status line at y " << y << " is not \"" << text << '"';
                }
            }
        }
        destroy_bitmap(expected);
        return ::testing::AssertionSuccess();
    }
};

DATAFILE* FrameTest::sprites = nullptr;

}  // namespace

TEST_F(FrameTest, EachCellShowsItsLayersInOrder) {
    setBoardFromPicture(
        "####\n"
        "#@$#\n"
        "#.*#\n"
        "####");
    board.player.facing = 'l';
    composeFrame(frame, sprites);
    EXPECT_TRUE(cellShows(0, 0, {spriteFloor}));
    EXPECT_TRUE(cellShows(1, 1, {spriteFloor, spriteWall}));
    EXPECT_TRUE(cellShows(2, 2, {spriteFloor, spritePlayerLeft}));
    EXPECT_TRUE(cellShows(3, 2, {spriteFloor, spriteBox}));
    EXPECT_TRUE(cellShows(2, 3, {spriteFloor, spriteTarget}));
    EXPECT_TRUE(cellShows(3, 3, {spriteFloor, spriteTarget, spriteBox}));
    EXPECT_TRUE(cellShows(19, 12, {spriteFloor}));
}

TEST_F(FrameTest, TheFigureFacesTheWayItLastTried) {
    setBoardFromPicture("@");
    const std::pair<char, int> facings[] = {
        {'d', spritePlayerDown}, {'u', spritePlayerUp}, {'l', spritePlayerLeft}, {'r', spritePlayerRight}};
    for (auto [facing, item] : facings) {
        board.player.facing = facing;
        composeFrame(frame, sprites);
        EXPECT_TRUE(cellShows(1, 1, {spriteFloor, item})) << facing;
    }
    board.player.facing = 'x';
    composeFrame(frame, sprites);
    EXPECT_TRUE(cellShows(1, 1, {spriteFloor})) << "an unknown facing draws no figure";
}

TEST_F(FrameTest, FreeSlotsAndFarCoordinatesLeaveNoTrace) {
    setBoardFromPicture("");
    board.walls[0] = {INT32_MAX, INT32_MIN, 0};
    board.boxes[0] = {INT32_MIN, 3};
    board.targets[0] = {20, 0};
    board.player.x = 0;
    board.player.y = 0;
    board.player.facing = 'x';
    composeFrame(frame, sprites);
    EXPECT_TRUE(cellShows(0, 0, {spriteFloor}));
    EXPECT_TRUE(cellShows(19, 0, {spriteFloor}));
    clearLayout();
    composeFrame(frame, sprites);
    EXPECT_EQ(getpixel(frame, 5, 5), 0) << "cells without floor stay black";
    fillFloor();
}

TEST_F(FrameTest, TheStatusPanelShowsTheCountersBelowTheBoard) {
    setBoardFromPicture("@");
    board.levelNumber = -3;
    board.stepsTaken = 4000000000u;
    board.timesPushed = 17;
    board.boxes[0] = {1, 14};  // an object over the panel stays under its text
    composeFrame(frame, sprites);
    EXPECT_TRUE(statusLineReads(440, "Level        : -3"));
    EXPECT_TRUE(statusLineReads(450, "Steps Taken  : 4000000000"));
    EXPECT_TRUE(statusLineReads(460, "Times pushed : 17"));
    EXPECT_EQ(getpixel(frame, 300, 470), 0);
}

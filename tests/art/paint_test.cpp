// The painting helpers behind the pictures: the dither that keeps shades
// smooth at 16 bits, the word wrap of the pages, and the icon's colour
// reduction and file writer.
#include <gtest/gtest.h>

#include <cstdlib>

#include "art/icon_files.h"
#include "art/paint.h"
#include "art/screen_parts.h"
#include "picture_checks.h"

namespace {

class Painting : public ::testing::Test {
protected:
    void SetUp() override {
        startLibrary();
        set_color_depth(32);
    }
};

}  // namespace

TEST(WordWrap, LinesStayWithinTheWidthAndKeepEveryWordInOrder) {
    const std::string text = "Walk into a crate to push it one cell ahead of you; you step into the cell it leaves.";
    std::vector<std::string> lines = wrapWords(text, 20);
    std::string joined;
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 20u) << line;
        EXPECT_NE(line.front(), ' ');
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, text);
}

TEST(WordWrap, NewlineStartsALineAndABlankLineStays) {
    std::vector<std::string> lines = wrapWords("one\n\ntwo three", 40);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "one");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "two three");
}

TEST(WordWrap, AWordLongerThanALineGetsALineOfItsOwn) {
    std::vector<std::string> lines = wrapWords("a warehousekeeper b", 6);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "warehousekeeper");
}

TEST_F(Painting, DitheredColoursLieOnTheSixteenBitGrid) {
    // Stored at 16 bits, a dithered colour must not shift, or the pattern bands.
    for (int v = 0; v < 256; v += 7) {
        int colour = dithered(v, v * 0.6, 255 - v, v % 5, v % 3);
        int r = getr32(colour), g = getg32(colour), b = getb32(colour);
        EXPECT_EQ(r, ((r >> 3) << 3) | (r >> 5));
        EXPECT_EQ(g, ((g >> 2) << 2) | (g >> 6));
        EXPECT_EQ(b, ((b >> 3) << 3) | (b >> 5));
    }
}

TEST_F(Painting, DitherAveragesToTheAskedShade) {
    for (double asked : {13.0, 60.5, 101.0, 200.25}) {
        double sum = 0;
        for (int y = 0; y < 4; y++) {
            for (int x = 0; x < 4; x++) sum += getr32(dithered(asked, 0, 0, x, y));
        }
        EXPECT_NEAR(sum / 16, asked, 3.0) << asked;
    }
}

TEST_F(Painting, ColourReductionKeepsAFewColoursExactly) {
    BITMAP* picture = create_bitmap_ex(32, 8, 8);
    const int colours[3] = {makecol32(200, 30, 30), makecol32(30, 200, 30), makecol32(250, 250, 250)};
    for (int y = 0; y < 8; y++) {
        for (int x = 0; x < 8; x++) putpixel(picture, x, y, x < 2 ? makecol32(255, 0, 255) : colours[(x + y) % 3]);
    }
    IndexedPicture reduced = reduceColours(picture, 16);
    ASSERT_EQ(reduced.palette.size(), 4u);
    EXPECT_EQ(reduced.palette[0], 0u);
    for (int y = 0; y < 8; y++) {
        for (int x = 0; x < 8; x++) {
            uint32_t got = reduced.palette[reduced.pixels[size_t(y * 8 + x)]];
            int want = getpixel(picture, x, y);
            if (x < 2) {
                EXPECT_EQ(reduced.pixels[size_t(y * 8 + x)], 0);
            } else {
                EXPECT_EQ(got, uint32_t(getr32(want) << 16 | getg32(want) << 8 | getb32(want)));
            }
        }
    }
    destroy_bitmap(picture);
}

TEST_F(Painting, ColourReductionOfManyColoursStaysWithinTheLimit) {
    BITMAP* picture = create_bitmap_ex(32, 32, 32);
    for (int y = 0; y < 32; y++) {
        for (int x = 0; x < 32; x++) putpixel(picture, x, y, makecol32(x * 8, y * 8, (x + y) * 4));
    }
    IndexedPicture reduced = reduceColours(picture, 16);
    EXPECT_EQ(reduced.palette.size(), 16u);
    long error = 0;
    for (int y = 0; y < 32; y++) {
        for (int x = 0; x < 32; x++) {
            uint8_t index = reduced.pixels[size_t(y * 32 + x)];
            ASSERT_NE(index, 0) << "an opaque pixel became see-through";
            uint32_t got = reduced.palette[index];
            error += std::abs(int(got >> 16) - x * 8) + std::abs(int(got >> 8 & 255) - y * 8);
        }
    }
    EXPECT_LT(error / (32 * 32 * 2), 40);
    destroy_bitmap(picture);
}

TEST_F(Painting, IconFileReadsBackPixelForPixel) {
    IndexedPicture few, many;
    few.width = many.width = 5;  // odd widths exercise the row padding
    few.height = many.height = 3;
    few.palette = {0, 0xFF0000, 0x00FF00};
    many.palette.assign(40, 0x123456);
    many.palette[0] = 0;
    for (int i = 0; i < 15; i++) {
        few.pixels.push_back(uint8_t(i % 3));
        many.pixels.push_back(uint8_t(i * 2 % 40));
    }
    std::vector<IconImage> images;
    std::string problem;
    ASSERT_TRUE(readIco(icoFile({few, many}), images, problem)) << problem;
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].bits, 4);
    EXPECT_EQ(images[1].bits, 8);
    EXPECT_EQ(images[0].pixels, few.pixels);
    EXPECT_EQ(images[1].pixels, many.pixels);
    for (size_t i = 0; i < 15; i++) EXPECT_EQ(images[0].clear[i], few.pixels[i] == 0) << i;
    EXPECT_EQ(images[0].palette[1], 0xFF0000u);
}

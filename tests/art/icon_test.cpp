// The application icon as the build writes it: the .ico in the game folder
// with its 16- and 256-colour images, the XPM the window icon is made of, and
// the desktop theme's PNG files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "picture_checks.h"

extern "C" void* allegro_icon;

namespace {

std::vector<IconImage> builtIcon() {
    std::vector<IconImage> images;
    std::string problem;
    EXPECT_TRUE(readIco(fileBytes(gameFile("boxyard.ico")), images, problem)) << problem;
    return images;
}

}  // namespace

TEST(IconFile, HoldsA16And256Colour32PixelImage) {
    std::vector<IconImage> images = builtIcon();
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].bits, 4);
    EXPECT_EQ(images[1].bits, 8);
    for (const IconImage& image : images) {
        EXPECT_EQ(image.width, 32);
        EXPECT_EQ(image.height, 32);
    }
}

TEST(IconFile, BothImagesShareOneOutlineWithClearCorners) {
    std::vector<IconImage> images = builtIcon();
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].clear, images[1].clear);
    const std::vector<uint8_t>& clear = images[1].clear;
    EXPECT_TRUE(clear[0] && clear[31] && clear[31 * 32] && clear[32 * 32 - 1]);
    EXPECT_FALSE(clear[16 * 32 + 16]);
    int opaque = 0;
    for (uint8_t c : clear) opaque += !c;
    EXPECT_GT(opaque, 32 * 32 / 2);
}

TEST(IconFile, DesktopShowsThroughBlackUnderTheMask) {
    // Windows combines the mask and the colours; only black lets the desktop
    // through unchanged.
    for (const IconImage& image : builtIcon()) {
        for (size_t i = 0; i < image.pixels.size(); i++) {
            if (!image.clear[i]) continue;
            EXPECT_EQ(image.palette[image.pixels[i]], 0u) << "pixel " << i;
        }
    }
}

TEST(IconFile, SixteenColourImageLooksLikeTheFullOne) {
    std::vector<IconImage> images = builtIcon();
    ASSERT_EQ(images.size(), 2u);
    long error = 0;
    int opaque = 0;
    for (size_t i = 0; i < images[0].pixels.size(); i++) {
        if (images[1].clear[i]) continue;
        uint32_t a = images[0].palette[images[0].pixels[i]], b = images[1].palette[images[1].pixels[i]];
        for (int shift = 0; shift < 24; shift += 8) error += std::abs(int(a >> shift & 255) - int(b >> shift & 255));
        opaque++;
    }
    ASSERT_GT(opaque, 0);
    EXPECT_LT(double(error) / (3 * opaque), 12.0) << "the 16-colour image strays far from the 256-colour one";
}

TEST(WindowIcon, IsThe256ColourImageInXpmForm) {
    const char* const* xpm = static_cast<const char* const*>(allegro_icon);
    int width = 0, height = 0, colours = 0, perPixel = 0;
    ASSERT_EQ(std::sscanf(xpm[0], "%d %d %d %d", &width, &height, &colours, &perPixel), 4);
    ASSERT_EQ(width, 32);
    ASSERT_EQ(height, 32);
    ASSERT_LE(colours, 256);
    std::map<std::string, long> table;  // -1 for see-through
    for (int i = 1; i <= colours; i++) {
        std::string line = xpm[i];
        std::string code = line.substr(0, size_t(perPixel));
        std::string value = line.substr(size_t(perPixel) + 3);
        table[code] = value == "None" ? -1 : std::stol(value.substr(1), nullptr, 16);
    }
    ASSERT_EQ(table.size(), size_t(colours)) << "two colours share a code";

    std::vector<IconImage> images = builtIcon();
    ASSERT_EQ(images.size(), 2u);
    const IconImage& full = images[1];
    for (int y = 0; y < height; y++) {
        const char* row = xpm[1 + colours + y];
        ASSERT_EQ(std::strlen(row), size_t(width * perPixel)) << "row " << y;
        for (int x = 0; x < width; x++) {
            auto found = table.find(std::string(row + x * perPixel, size_t(perPixel)));
            ASSERT_NE(found, table.end()) << "unknown colour at " << x << "," << y;
            size_t i = size_t(y * width + x);
            long expected = full.clear[i] ? -1 : long(full.palette[full.pixels[i]]);
            EXPECT_EQ(found->second, expected) << "at " << x << "," << y;
        }
    }
}

namespace {

uint32_t bigEndian(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

// The RGBA rows of a theme icon as make_icon writes it: one IDAT chunk of
// stored deflate blocks, each row behind a filter byte of 0.
bool readThemeIcon(const std::string& path, int& size, std::vector<uint8_t>& rgba) {
    std::vector<uint8_t> png = fileBytes(path);
    if (png.size() < 33 || std::memcmp(png.data() + 12, "IHDR", 4) != 0) return false;
    size = int(bigEndian(png, 16));
    std::vector<uint8_t> rows;
    for (size_t at = 8; at + 8 <= png.size();) {
        uint32_t length = bigEndian(png, at);
        if (std::memcmp(png.data() + at + 4, "IDAT", 4) == 0) {
            for (size_t block = at + 10; block + 5 <= at + 8 + length - 4;) {
                size_t stored = png[block + 1] | png[block + 2] << 8;
                rows.insert(rows.end(), png.begin() + long(block + 5), png.begin() + long(block + 5 + stored));
                block += 5 + stored;
            }
        }
        at += 12 + length;
    }
    const size_t stride = size_t(size) * 4 + 1;
    if (rows.size() != stride * size_t(size)) return false;
    for (size_t y = 0; y < size_t(size); y++) {
        rgba.insert(rgba.end(), rows.begin() + long(y * stride + 1), rows.begin() + long((y + 1) * stride));
    }
    return true;
}

}  // namespace

TEST(ThemeIcons, EverySizeIsTheSameCrispPicture) {
    std::vector<uint8_t> small;
    int smallSize = 0;
    ASSERT_TRUE(readThemeIcon(std::string(BOXYARD_ICON_DIR) + "/32x32/apps/boxyard.png", smallSize, small));
    for (int expected : {32, 48, 64, 128, 256}) {
        std::string size = std::to_string(expected);
        std::vector<uint8_t> rgba;
        int found = 0;
        const std::string path = std::string(BOXYARD_ICON_DIR) + "/" + size + "x" + size + "/apps/boxyard.png";
        ASSERT_TRUE(readThemeIcon(path, found, rgba));
        ASSERT_EQ(found, expected);
        // No pixel half see-through, as scaling with blur would leave them.
        int clear = 0;
        for (size_t i = 3; i < rgba.size(); i += 4) {
            EXPECT_TRUE(rgba[i] == 0 || rgba[i] == 255) << size;
            clear += rgba[i] == 0;
        }
        EXPECT_NEAR(double(clear) / (found * found), 0.24, 0.04) << size << ": the round outline's corners";
        // The design's landmarks land where they do at 32: the gold in the
        // crate's window, a corner bolt, and the ring's lit top left.
        for (auto [x, y] : {std::pair{16, 17}, std::pair{9, 9}, std::pair{6, 6}, std::pair{0, 0}}) {
            size_t big = (size_t(y * found / 32 + found / 64) * size_t(found) + size_t(x * found / 32 + found / 64)) * 4;
            size_t little = (size_t(y) * 32 + size_t(x)) * 4;
            for (int c = 0; c < 4; c++) EXPECT_NEAR(rgba[big + c], small[little + c], 24) << size << " at " << x << "," << y;
        }
    }
}

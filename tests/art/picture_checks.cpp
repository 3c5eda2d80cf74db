// Shared helpers of the picture tests.
#include "picture_checks.h"

#include <cerrno>
#include <cstdio>
#include <utility>

std::string gameFile(const char* name) { return std::string(BOXYARD_GAME_DIR) + "/" + name; }

void startLibrary() {
    static bool started = false;
    if (started) return;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    started = true;
}

DATAFILE* screens() {
    static DATAFILE* loaded = nullptr;
    if (!loaded) {
        startLibrary();
        set_color_depth(16);
        loaded = load_datafile(gameFile("data.dat").c_str());
    }
    return loaded;
}

BITMAP* screenPicture(int item) { return static_cast<BITMAP*>(screens()[item].dat); }

DATAFILE* sprites() {
    static DATAFILE* loaded = nullptr;
    if (!loaded) {
        startLibrary();
        set_color_depth(16);
        loaded = load_datafile(gameFile("sprites.dat").c_str());
    }
    return loaded;
}

BITMAP* spritePicture(int item) { return static_cast<BITMAP*>(sprites()[item].dat); }

int ink16(int colour32) { return makecol16(getr32(colour32), getg32(colour32), getb32(colour32)); }

bool showsText(BITMAP* picture, const char* text, int scale, int colour, int y1, int y2) {
    const int width = text_length(font, text), height = text_height(font);
    BITMAP* glyphs = create_bitmap_ex(8, width, height);
    clear_to_color(glyphs, 0);
    textout_ex(glyphs, font, text, 0, 0, 1, -1);
    std::vector<std::pair<int, int>> on;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            if (getpixel(glyphs, x, y) == 1) on.push_back({x * scale, y * scale});
        }
    }
    destroy_bitmap(glyphs);
    for (int top = y1; top <= y2 && top + height * scale <= picture->h; top++) {
        for (int left = 0; left + width * scale <= picture->w; left++) {
            bool all = true;
            for (size_t i = 0; all && i < on.size(); i++) {
                int x = left + on[i].first, y = top + on[i].second;
                all = getpixel(picture, x, y) == colour && getpixel(picture, x + scale - 1, y + scale - 1) == colour;
            }
            if (all) return true;
        }
    }
    return false;
}

namespace {

uint32_t read16(const std::vector<uint8_t>& bytes, size_t at) { return bytes[at] | uint32_t(bytes[at + 1]) << 8; }
uint32_t read32(const std::vector<uint8_t>& bytes, size_t at) { return read16(bytes, at) | read16(bytes, at + 2) << 16; }

}  // namespace

bool readIco(const std::vector<uint8_t>& bytes, std::vector<IconImage>& images, std::string& problem) {
    if (bytes.size() < 6 || read16(bytes, 0) != 0 || read16(bytes, 2) != 1) {
        problem = "no icon directory";
        return false;
    }
    const size_t count = read16(bytes, 4);
    if (bytes.size() < 6 + 16 * count) {
        problem = "directory entries cut short";
        return false;
    }
    for (size_t i = 0; i < count; i++) {
        const size_t entry = 6 + 16 * i;
        IconImage image;
        image.width = bytes[entry] ? bytes[entry] : 256;
        image.height = bytes[entry + 1] ? bytes[entry + 1] : 256;
        image.bits = int(read16(bytes, entry + 6));
        const uint32_t size = read32(bytes, entry + 8), offset = read32(bytes, entry + 12);
        if (image.bits != 4 && image.bits != 8) {
            problem = "image " + std::to_string(i) + " is neither 4 nor 8 bits deep";
            return false;
        }
        const int colours = 1 << image.bits;
        const int colourStride = (image.width * image.bits + 31) / 32 * 4;
        const int maskStride = (image.width + 31) / 32 * 4;
        const uint32_t expected = uint32_t(40 + 4 * colours + (colourStride + maskStride) * image.height);
        if (offset + uint64_t(size) > bytes.size() || size != expected) {
            problem = "image " + std::to_string(i) + " has the wrong size or lies outside the file";
            return false;
        }
        if ((image.bits == 4 && bytes[entry + 2] != 16) || (image.bits == 8 && bytes[entry + 2] != 0)) {
            problem = "image " + std::to_string(i) + " gives the wrong colour count";
            return false;
        }
        if (read32(bytes, offset) != 40 || int(read32(bytes, offset + 4)) != image.width ||
            int(read32(bytes, offset + 8)) != 2 * image.height || read16(bytes, offset + 12) != 1 ||
            int(read16(bytes, offset + 14)) != image.bits || read32(bytes, offset + 16) != 0) {
            problem = "image " + std::to_string(i) + " has a bitmap header that does not match its entry";
            return false;
        }
        for (int c = 0; c < colours; c++) {
            size_t at = offset + 40 + 4 * size_t(c);
            image.palette.push_back(uint32_t(bytes[at + 2]) << 16 | uint32_t(bytes[at + 1]) << 8 | bytes[at]);
        }
        const size_t colourRows = offset + 40 + 4 * size_t(colours);
        const size_t maskRows = colourRows + size_t(colourStride * image.height);
        image.pixels.resize(size_t(image.width * image.height));
        image.clear.resize(size_t(image.width * image.height));
        for (int y = 0; y < image.height; y++) {
            const size_t colourRow = colourRows + size_t(colourStride * (image.height - 1 - y));
            const size_t maskRow = maskRows + size_t(maskStride * (image.height - 1 - y));
            for (int x = 0; x < image.width; x++) {
                uint8_t index = image.bits == 8 ? bytes[colourRow + size_t(x)]
                                                : uint8_t(bytes[colourRow + size_t(x / 2)] >> (x % 2 ? 0 : 4) & 15);
                image.pixels[size_t(y * image.width + x)] = index;
                image.clear[size_t(y * image.width + x)] = bytes[maskRow + size_t(x / 8)] >> (7 - x % 8) & 1;
            }
        }
        images.push_back(image);
    }
    return true;
}

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(uint8_t(c));
    std::fclose(file);
    return bytes;
}

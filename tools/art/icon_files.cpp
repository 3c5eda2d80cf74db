// Colour reduction and the .ico and XPM writers for the application icon.
#include "icon_files.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "paint.h"

namespace {

struct ColourCount {
    int channel[3];  // red, green, blue
    int count;
};

// A box of colours for the median cut: a run [first, last) of the colour list.
struct ColourBox {
    size_t first, last;
};

// The channel along which the box's colours spread furthest, and how far.
struct Spread {
    int channel;
    int width;
};

Spread spreadOf(const std::vector<ColourCount>& colours, const ColourBox& box) {
    Spread widest = {0, -1};
    for (int c = 0; c < 3; c++) {
        int low = 255, high = 0;
        for (size_t i = box.first; i < box.last; i++) {
            low = std::min(low, colours[i].channel[c]);
            high = std::max(high, colours[i].channel[c]);
        }
        if (high - low > widest.width) widest = {c, high - low};
    }
    return widest;
}

uint32_t averageOf(const std::vector<ColourCount>& colours, const ColourBox& box) {
    long sum[3] = {0, 0, 0}, total = 0;
    for (size_t i = box.first; i < box.last; i++) {
        for (int c = 0; c < 3; c++) sum[c] += long(colours[i].channel[c]) * colours[i].count;
        total += colours[i].count;
    }
    uint32_t rgb = 0;
    for (int c = 0; c < 3; c++) rgb = (rgb << 8) | uint32_t((sum[c] + total / 2) / total);
    return rgb;
}

int distance(uint32_t a, int r, int g, int b) {
    int dr = int((a >> 16) & 255) - r, dg = int((a >> 8) & 255) - g, db = int(a & 255) - b;
    return dr * dr + dg * dg + db * db;
}

void put16(std::vector<uint8_t>& out, unsigned value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(value >> shift));
}

int bitsFor(const IndexedPicture& picture) { return picture.palette.size() <= 16 ? 4 : 8; }

// One image of the .ico: the bitmap header with the height doubled for the
// mask, the palette, the colour rows and then the mask rows, bottom row first,
// every row padded to four bytes.
std::vector<uint8_t> iconImage(const IndexedPicture& picture) {
    const int bits = bitsFor(picture);
    const int colourStride = (picture.width * bits + 31) / 32 * 4;
    const int maskStride = (picture.width + 31) / 32 * 4;
    const int paletteSize = 1 << bits;
    std::vector<uint8_t> out;
    put32(out, 40);
    put32(out, uint32_t(picture.width));
    put32(out, uint32_t(picture.height * 2));
    put16(out, 1);
    put16(out, unsigned(bits));
    put32(out, 0);
    put32(out, uint32_t((colourStride + maskStride) * picture.height));
    put32(out, 0);
    put32(out, 0);
    put32(out, uint32_t(paletteSize));
    put32(out, 0);
    for (int i = 0; i < paletteSize; i++) {
        uint32_t rgb = size_t(i) < picture.palette.size() ? picture.palette[size_t(i)] : 0;
        out.push_back(uint8_t(rgb));
        out.push_back(uint8_t(rgb >> 8));
        out.push_back(uint8_t(rgb >> 16));
        out.push_back(0);
    }
    for (int y = picture.height - 1; y >= 0; y--) {
        std::vector<uint8_t> row(size_t(colourStride), 0);
        for (int x = 0; x < picture.width; x++) {
            uint8_t index = picture.pixels[size_t(y * picture.width + x)];
            if (bits == 8) {
                row[size_t(x)] = index;
            } else {
                row[size_t(x / 2)] |= uint8_t(x % 2 ? index : index << 4);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = picture.height - 1; y >= 0; y--) {
        std::vector<uint8_t> row(size_t(maskStride), 0);
        for (int x = 0; x < picture.width; x++) {
            if (picture.pixels[size_t(y * picture.width + x)] == 0) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// Two characters name each XPM colour, from an alphabet that needs no escapes.
std::string xpmCode(size_t index) {
    static const char alphabet[] = ".#abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+@";
    return {alphabet[index / 64], alphabet[index % 64]};
}

}  // namespace

IndexedPicture reduceColours(BITMAP* picture, int colours) {
    IndexedPicture reduced;
    reduced.width = picture->w;
    reduced.height = picture->h;
    std::map<uint32_t, int> counts;
    for (int y = 0; y < picture->h; y++) {
        for (int x = 0; x < picture->w; x++) {
            int pixel = getpixel(picture, x, y);
            if (pixel == maskColour()) continue;
            counts[(uint32_t(getr32(pixel)) << 16) | (uint32_t(getg32(pixel)) << 8) | uint32_t(getb32(pixel))]++;
        }
    }
    std::vector<ColourCount> list;
    for (const auto& entry : counts) {
        list.push_back({{int(entry.first >> 16), int((entry.first >> 8) & 255), int(entry.first & 255)}, entry.second});
    }
    std::vector<ColourBox> boxes;
    if (!list.empty()) boxes.push_back({0, list.size()});
    while (int(boxes.size()) < colours - 1) {
        // Halve the box whose colours spread furthest; a box of one colour is done.
        size_t widest = 0;
        int widestSpread = 0;
        for (size_t i = 0; i < boxes.size(); i++) {
            int spread = boxes[i].last - boxes[i].first > 1 ? spreadOf(list, boxes[i]).width : 0;
            if (spread > widestSpread) {
                widestSpread = spread;
                widest = i;
            }
        }
        if (widestSpread == 0) break;
        ColourBox box = boxes[widest];
        int c = spreadOf(list, box).channel;
        std::sort(list.begin() + long(box.first), list.begin() + long(box.last),
                  [c](const ColourCount& a, const ColourCount& b) { return a.channel[c] < b.channel[c]; });
        long half = 0, total = 0;
        for (size_t i = box.first; i < box.last; i++) total += list[i].count;
        size_t split = box.first + 1;
        for (size_t i = box.first; i < box.last - 1; i++) {
            half += list[i].count;
            split = i + 1;
            if (half * 2 >= total) break;
        }
        boxes[widest] = {box.first, split};
        boxes.push_back({split, box.last});
    }
    reduced.palette.push_back(0);
    for (const ColourBox& box : boxes) reduced.palette.push_back(averageOf(list, box));

    for (int y = 0; y < picture->h; y++) {
        for (int x = 0; x < picture->w; x++) {
            int pixel = getpixel(picture, x, y);
            uint8_t index = 0;
            if (pixel != maskColour()) {
                int best = -1;
                for (size_t i = 1; i < reduced.palette.size(); i++) {
                    int d = distance(reduced.palette[i], getr32(pixel), getg32(pixel), getb32(pixel));
                    if (best < 0 || d < best) {
                        best = d;
                        index = uint8_t(i);
                    }
                }
            }
            reduced.pixels.push_back(index);
        }
    }
    return reduced;
}

std::vector<uint8_t> icoFile(const std::vector<IndexedPicture>& pictures) {
    std::vector<std::vector<uint8_t>> images;
    for (const IndexedPicture& picture : pictures) images.push_back(iconImage(picture));
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, unsigned(pictures.size()));
    uint32_t offset = uint32_t(6 + 16 * pictures.size());
    for (size_t i = 0; i < pictures.size(); i++) {
        const int bits = bitsFor(pictures[i]);
        out.push_back(uint8_t(pictures[i].width));
        out.push_back(uint8_t(pictures[i].height));
        out.push_back(uint8_t(bits == 4 ? 16 : 0));
        out.push_back(0);
        put16(out, 1);
        put16(out, unsigned(bits));
        put32(out, uint32_t(images[i].size()));
        put32(out, offset);
        offset += uint32_t(images[i].size());
    }
    for (const std::vector<uint8_t>& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}

std::string xpmSource(const IndexedPicture& picture) {
    std::string out =
        "// Written by make_icon: the boxyard window icon, 256 colours, in XPM form.\n"
        "// The library's X11 driver shows allegro_icon as the window's icon.\n\n"
        "namespace {\n\n"
        "const char* boxyardIconXpm[] = {\n";
    char line[64];
    std::snprintf(line, sizeof line, "    \"%d %d %d 2\",\n", picture.width, picture.height, int(picture.palette.size()));
    out += line;
    for (size_t i = 0; i < picture.palette.size(); i++) {
        if (i == 0) {
            out += "    \"" + xpmCode(i) + " c None\",\n";
        } else {
            std::snprintf(line, sizeof line, " c #%06X\",\n", unsigned(picture.palette[i]));
            out += "    \"" + xpmCode(i) + line;
        }
    }
    for (int y = 0; y < picture.height; y++) {
        out += "    \"";
        for (int x = 0; x < picture.width; x++) out += xpmCode(picture.pixels[size_t(y * picture.width + x)]);
        out += y + 1 < picture.height ? "\",\n" : "\"\n";
    }
    out +=
        "};\n\n"
        "}  // namespace\n\n"
        "extern \"C\" {\n"
        "void* allegro_icon = const_cast<char**>(boxyardIconXpm);\n"
        "}\n";
    return out;
}

namespace {

void putBig32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

uint32_t crc32Of(const uint8_t* bytes, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; i++) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; bit++) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

// A chunk: its length, its four-letter type, the data and the CRC of type and data.
void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    putBig32(out, uint32_t(data.size()));
    size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBig32(out, crc32Of(out.data() + typeAt, out.size() - typeAt));
}

// The zlib stream of the rows in stored (uncompressed) deflate blocks: an
// icon is small, and no compression library is needed for it.
std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t done = 0;
    do {
        size_t length = std::min<size_t>(raw.size() - done, 65535);
        out.push_back(done + length == raw.size() ? 1 : 0);
        put16(out, unsigned(length));
        put16(out, unsigned(~length & 0xFFFF));
        out.insert(out.end(), raw.begin() + long(done), raw.begin() + long(done + length));
        done += length;
    } while (done < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(out, (b << 16) | a);
    return out;
}

}  // namespace

std::vector<uint8_t> pngFile(BITMAP* picture) {
    std::vector<uint8_t> header;
    putBig32(header, uint32_t(picture->w));
    putBig32(header, uint32_t(picture->h));
    // 8 bits a channel, colour with alpha, no interlace.
    header.insert(header.end(), {8, 6, 0, 0, 0});
    std::vector<uint8_t> rows;
    for (int y = 0; y < picture->h; y++) {
        rows.push_back(0);  // no filter
        for (int x = 0; x < picture->w; x++) {
            int pixel = getpixel(picture, x, y);
            bool clear = pixel == maskColour();
            rows.insert(rows.end(), {uint8_t(clear ? 0 : getr32(pixel)), uint8_t(clear ? 0 : getg32(pixel)),
                                     uint8_t(clear ? 0 : getb32(pixel)), uint8_t(clear ? 0 : 255)});
        }
    }
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", storedZlib(rows));
    putChunk(out, "IEND", {});
    return out;
}

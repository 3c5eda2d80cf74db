// The datafile writer shared by the build's asset tools.
#include "datafile_writer.h"

#include <cstdio>
#include <cstring>

namespace {

void put16(std::vector<uint8_t>& out, unsigned value) {
    out.push_back(uint8_t(value >> 8));
    out.push_back(uint8_t(value));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value >> 24));
    out.push_back(uint8_t(value >> 16));
    out.push_back(uint8_t(value >> 8));
    out.push_back(uint8_t(value));
}

void putTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; i++) out.push_back(uint8_t(tag[i]));
}

DatafileObject makeObject(const char* type, const std::string& name) {
    DatafileObject object;
    std::memcpy(object.type, type, 4);
    object.type[4] = '\0';
    object.name = name;
    return object;
}

}  // namespace

DatafileObject bitmapObject(const std::string& name, BITMAP* picture) {
    DatafileObject object = makeObject("BMP ", name);
    const int depth = bitmap_color_depth(picture);
    put16(object.data, 16);
    put16(object.data, unsigned(picture->w));
    put16(object.data, unsigned(picture->h));
    for (int y = 0; y < picture->h; y++) {
        for (int x = 0; x < picture->w; x++) {
            int pixel = getpixel(picture, x, y);
            int r = getr_depth(depth, pixel), g = getg_depth(depth, pixel), b = getb_depth(depth, pixel);
            unsigned packed = (unsigned(r >> 3) << 11) | (unsigned(g >> 2) << 5) | unsigned(b >> 3);
            if (r == 255 && g == 0 && b == 255) packed = 0xF81F;
            object.data.push_back(uint8_t(packed));
            object.data.push_back(uint8_t(packed >> 8));
        }
    }
    return object;
}

DatafileObject sampleObject(const std::string& name, int frequency, const std::vector<int16_t>& frames) {
    DatafileObject object = makeObject("SAMP", name);
    put16(object.data, 16);
    put16(object.data, unsigned(frequency));
    put32(object.data, uint32_t(frames.size()));
    for (int16_t frame : frames) {
        unsigned value = unsigned(int(frame) + 0x8000);
        object.data.push_back(uint8_t(value));
        object.data.push_back(uint8_t(value >> 8));
    }
    return object;
}

bool writeDatafile(const std::string& path, const std::vector<DatafileObject>& objects) {
    std::vector<uint8_t> out;
    putTag(out, "slh.");
    putTag(out, "ALL.");
    put32(out, uint32_t(objects.size()));
    for (const DatafileObject& object : objects) {
        if (!object.name.empty()) {
            putTag(out, "prop");
            putTag(out, "NAME");
            put32(out, uint32_t(object.name.size()));
            out.insert(out.end(), object.name.begin(), object.name.end());
        }
        putTag(out, object.type);
        put32(out, uint32_t(object.data.size()));
        put32(out, uint32_t(object.data.size()));
        out.insert(out.end(), object.data.begin(), object.data.end());
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

// Writes the library's datafile format: the "slh." and "ALL." magic, the object
// count, then each object with an optional NAME property, its type and its data,
// all numbers big-endian. Bitmaps are stored 16 bits deep, samples as 16-bit
// unsigned mono.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

struct DatafileObject {
    char type[5];  // four characters, such as "BMP " or "SAMP"
    std::string name;
    std::vector<uint8_t> data;
};

// A bitmap object from a picture of any colour depth. Magenta (255, 0, 255)
// becomes the 16-bit mask colour, so it stays see-through in draw_sprite.
DatafileObject bitmapObject(const std::string& name, BITMAP* picture);
// A sample object from signed 16-bit mono frames.
DatafileObject sampleObject(const std::string& name, int frequency, const std::vector<int16_t>& frames);

// Writes the objects to `path`. False when the file could not be written whole.
bool writeDatafile(const std::string& path, const std::vector<DatafileObject>& objects);

// Helpers for the picture tests: the library started without a display, the
// game's data.dat and sprites.dat loaded at the game's 16 bits, a search for
// painted lettering, and a reader for icon files.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

// A file in the game folder the build assembles.
std::string gameFile(const char* name);
// The library with no display, started once for the process.
void startLibrary();
// data.dat as the game loads it at 16 bits, shared by a process's tests.
DATAFILE* screens();
BITMAP* screenPicture(int item);
// sprites.dat the same way.
DATAFILE* sprites();
BITMAP* spritePicture(int item);
// A 32-bit colour as the 16-bit pictures hold it.
int ink16(int colour32);
// True when `text`, in the 8x8 font at `scale` times its size, is painted in
// `colour` somewhere with its top row between y1 and y2.
bool showsText(BITMAP* picture, const char* text, int scale, int colour, int y1, int y2);

// One image of an icon file, decoded.
struct IconImage {
    int width = 0, height = 0, bits = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB
    std::vector<uint8_t> pixels;    // palette indices, row by row from the top
    std::vector<uint8_t> clear;     // 1 where the mask lets the desktop through
};
// Reads an .ico file's images; on a fault returns false and says what was wrong.
bool readIco(const std::vector<uint8_t>& bytes, std::vector<IconImage>& images, std::string& problem);
std::vector<uint8_t> fileBytes(const std::string& path);

// The application icon in the forms the desktops read: a Windows .ico holding
// a 16-colour and a 256-colour image, XPM text, which the library's X11
// driver shows as the window's icon when the program defines allegro_icon,
// and PNG files for the desktop's icon theme.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

// A picture of palette indices. Index 0 is kept for the see-through pixels and
// is black, which is what the .ico format wants under its mask.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB, palette[0] the see-through black
    std::vector<uint8_t> pixels;    // one index a pixel, row by row from the top
};

// Reduces a 32-bit picture to at most `colours` palette entries, the
// see-through one included, by median cut: the box of colours with the widest
// spread is halved at its median until there are enough boxes, and every
// opaque pixel takes the nearest box average. Magenta pixels see through.
IndexedPicture reduceColours(BITMAP* picture, int colours);

// The bytes of an .ico file holding the pictures in order, each stored at 4
// bits a pixel when its palette has at most 16 entries and at 8 otherwise.
std::vector<uint8_t> icoFile(const std::vector<IndexedPicture>& pictures);

// C++ source that defines the library's allegro_icon as the picture in XPM form.
std::string xpmSource(const IndexedPicture& picture);

// The bytes of a PNG file of a 32-bit picture in full colour, magenta pixels
// fully see-through and all others opaque.
std::vector<uint8_t> pngFile(BITMAP* picture);

// Build-time tool: paints the application icon and writes it as a Windows
// icon file with a 16-colour and a 256-colour image, as C++ source that gives
// the X11 window the 256-colour image through allegro_icon, and as PNG files
// for the desktop's icon theme, each size painted afresh.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "art/art.h"
#include "art/icon_files.h"

namespace {

bool writeFile(const char* path, const void* bytes, size_t size) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    bool written = std::fwrite(bytes, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

// The sizes of the icon theme's folders, NxN/apps/boxyard.png.
const int themeSizes[] = {32, 48, 64, 128, 256};

bool writeThemeIcons(const std::string& theme) {
    for (int size : themeSizes) {
        const std::string folder = theme + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        // A folder that cannot be made shows as the write below failing.
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        BITMAP* icon = paintIcon(size);
        std::vector<uint8_t> png = pngFile(icon);
        destroy_bitmap(icon);
        std::string path = folder + "/boxyard.png";
        if (!writeFile(path.c_str(), png.data(), png.size())) {
            std::fprintf(stderr, "make_icon: could not write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_icon ICO-FILE XPM-SOURCE THEME-FOLDER\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "make_icon: cannot start the library\n");
        return 1;
    }
    set_color_depth(32);
    BITMAP* icon = paintIcon();
    IndexedPicture few = reduceColours(icon, 16);
    IndexedPicture many = reduceColours(icon, 256);
    destroy_bitmap(icon);
    std::vector<uint8_t> ico = icoFile({few, many});
    std::string source = xpmSource(many);
    if (!writeFile(argv[1], ico.data(), ico.size())) {
        std::fprintf(stderr, "make_icon: could not write %s\n", argv[1]);
        return 1;
    }
    if (!writeFile(argv[2], source.data(), source.size())) {
        std::fprintf(stderr, "make_icon: could not write %s\n", argv[2]);
        return 1;
    }
    return writeThemeIcons(argv[3]) ? 0 : 1;
}
END_OF_MAIN()

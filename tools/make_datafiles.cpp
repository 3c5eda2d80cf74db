// Build-time tool: paints the game's pictures, synthesizes its push sound and
// writes sprites.dat and data.dat into the folder given on the command line.
// The files are loaded back at the end to prove the library reads them. With
// --preview FOLDER it also saves every picture as the game will show it, at
// 16 bits, as BMP files to look at.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "art/art.h"
#include "datafile/datafile_writer.h"
#include "view/resource_items.h"

namespace {

void addPicture(std::vector<DatafileObject>& objects, const char* name, BITMAP* picture) {
    objects.push_back(bitmapObject(name, picture));
    destroy_bitmap(picture);
}

// The sets in the order of cellSizes, each in the order of SpriteItem; the
// 32-pixel names have no size in them.
bool writeSprites(const std::string& path) {
    std::vector<DatafileObject> objects;
    for (int size : cellSizes) {
        std::string suffix = size == cellPixels ? "" : "_" + std::to_string(size);
        addPicture(objects, ("PLAYER_DOWN" + suffix).c_str(), paintPlayer('d', size));
        addPicture(objects, ("BOX" + suffix).c_str(), paintBox(size));
        addPicture(objects, ("FLOOR" + suffix).c_str(), paintFloor(size));
        addPicture(objects, ("TARGET" + suffix).c_str(), paintTarget(size));
        addPicture(objects, ("WALL" + suffix).c_str(), paintWall(size));
        addPicture(objects, ("PLAYER_LEFT" + suffix).c_str(), paintPlayer('l', size));
        addPicture(objects, ("PLAYER_RIGHT" + suffix).c_str(), paintPlayer('r', size));
        addPicture(objects, ("PLAYER_UP" + suffix).c_str(), paintPlayer('u', size));
    }
    addPicture(objects, "POINTER", paintPointer());
    return writeDatafile(path, objects);
}

bool writeScreens(const std::string& path) {
    std::vector<DatafileObject> objects;
    addPicture(objects, "MENU_CURSOR", paintMenuCursor());
    addPicture(objects, "INTERLUDE", paintInterlude());
    for (int page = 1; page <= 6; page++) {
        std::string name = "PAGE" + std::to_string(page);
        addPicture(objects, name.c_str(), paintInstructionPage(page));
    }
    addPicture(objects, "CLOSING_PAGE", paintInstructionPage(7));
    addPicture(objects, "TITLE", paintTitle());
    objects.push_back(sampleObject("PUSH", pushSoundRate, synthesizePushSound()));
    addPicture(objects, "MENU", paintMenuBackground());
    addPicture(objects, "CHOOSER", paintChooserBackground());
    return writeDatafile(path, objects);
}

// Loads a written file back and counts its items.
bool readsBack(const std::string& path, int items) {
    DATAFILE* loaded = load_datafile(path.c_str());
    if (!loaded) return false;
    int count = 0;
    while (loaded[count].type != DAT_END) count++;
    unload_datafile(loaded);
    return count == items;
}

// Saves each picture of a datafile, loaded at the game's 16 bits, as
// PREFIX-NN.bmp in `folder`.
bool savePreviews(const std::string& path, const std::string& folder, const char* prefix) {
    set_color_depth(16);
    DATAFILE* loaded = load_datafile(path.c_str());
    set_color_depth(32);
    if (!loaded) return false;
    bool saved = true;
    for (int i = 0; loaded[i].type != DAT_END; i++) {
        if (loaded[i].type != DAT_BITMAP) continue;
        char name[32];
        std::snprintf(name, sizeof name, "/%s-%02d.bmp", prefix, i);
        saved = saved && save_bitmap((folder + name).c_str(), static_cast<BITMAP*>(loaded[i].dat), nullptr) == 0;
    }
    unload_datafile(loaded);
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    bool preview = argc == 4 && std::string(argv[2]) == "--preview";
    if (argc != 2 && !preview) {
        std::fprintf(stderr, "usage: make_datafiles OUTPUT-FOLDER [--preview PREVIEW-FOLDER]\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "make_datafiles: cannot start the library\n");
        return 1;
    }
    set_color_depth(32);
    std::string folder = argv[1];
    std::string sprites = folder + "/" + spritesFileName;
    std::string screens = folder + "/" + screensFileName;
    if (!writeSprites(sprites) || !readsBack(sprites, spritesFileItems)) {
        std::fprintf(stderr, "make_datafiles: could not write %s\n", sprites.c_str());
        return 1;
    }
    if (!writeScreens(screens) || !readsBack(screens, screenItemCount)) {
        std::fprintf(stderr, "make_datafiles: could not write %s\n", screens.c_str());
        return 1;
    }
    if (preview && (!savePreviews(sprites, argv[3], "sprites") || !savePreviews(screens, argv[3], "data"))) {
        std::fprintf(stderr, "make_datafiles: could not save the previews in %s\n", argv[3]);
        return 1;
    }
    return 0;
}
END_OF_MAIN()

// The file selector for saving and continuing. Both open in the player's own
// folder; a file anywhere else is reached by typing its path. The library
// draws the selector into the canvas; its loop asks for the mouse many times
// a second through the gui_mouse hooks, which is where the canvas is
// presented, the pointer's place given in the canvas's own pixels.
#include "view/save_dialogs.h"

#include <allegro.h>

#include <cstring>

#include "files/paths.h"
#include "files/player_files.h"
#include "input/close_request.h"
#include "input/key_waits.h"
#include "input/mouse_input.h"
#include "view/canvas.h"

char savedGamePath[4096] = "";

namespace {

// Copies a path into a selector's buffer; false, with the buffer untouched,
// when it does not fit.
bool putPath(char (&buffer)[4096], const std::string& path) {
    if (path.size() >= sizeof buffer) return false;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return true;
}

// Until the player has chosen a file in this run, the selector opens on the
// player's folder, made if it is not there yet.
void startInPlayerFolder() {
    makePlayerFolder();
    if (savedGamePath[0] == '\0') putPath(savedGamePath, playerFolder() + "/");
}

int selectorMouseX() { return pointerXNow(); }
int selectorMouseY() { return pointerYNow(); }
int selectorMouseButtons() {
    presentCanvasWhenChanged();
    return mouseButtonsNow();
}

bool choosePath(const char* message, char (&path)[4096], const char* extensions = "kzs") {
    int (*libraryX)() = gui_mouse_x, (*libraryY)() = gui_mouse_y, (*libraryButtons)() = gui_mouse_b;
    gui_mouse_x = selectorMouseX;
    gui_mouse_y = selectorMouseY;
    gui_mouse_b = selectorMouseButtons;
    gui_set_screen(canvas);
    // The S or Enter that opened the selector must not type into it as it repeats.
    ignoreRepeatsOfHeldKeys();
    selectorOpened();
    // The selector centres itself on SCREEN_W by SCREEN_H, which are the
    // window's; it is to stand in the middle of the picture, whatever the scale.
    const int windowWidth = gfx_driver->w, windowHeight = gfx_driver->h;
    gfx_driver->w = canvas->w;
    gfx_driver->h = canvas->h;
    bool chosen = file_select_ex(message, path, extensions, int(sizeof path), OLD_FILESEL_WIDTH, OLD_FILESEL_HEIGHT) != 0;
    gfx_driver->w = windowWidth;
    gfx_driver->h = windowHeight;
    selectorClosed();
    gui_set_screen(nullptr);
    gui_mouse_x = libraryX;
    gui_mouse_y = libraryY;
    gui_mouse_b = libraryButtons;
    // The selector puts back what it covered in the canvas; the window too.
    presentCanvas();
    // A selector closed by a close of the window chose nothing.
    return chosen && !closeRequested.load();
}

}  // namespace

bool chooseSaveFile(std::string& path) {
    startInPlayerFolder();
    if (!choosePath("Save game as?", savedGamePath)) return false;
    path = savedGamePath;
    return true;
}

bool chooseSavedGame(std::string& chosen) {
    startInPlayerFolder();
    const std::string autosave = autosavePath();
    char path[4096];
    if (!isOrdinaryFile(autosave) || !putPath(path, autosave)) putPath(path, savedGamePath);
    if (!choosePath("Load save file", path)) return false;
    if (autosave != path) putPath(savedGamePath, path);
    chosen = path;
    return true;
}

bool chooseCollection(std::string& chosen, const std::string& startAt) {
    startInPlayerFolder();
    char path[4096];
    if (startAt.empty() || !putPath(path, startAt)) putPath(path, playerFolder() + "/");
    if (!choosePath("Open a collection of levels", path, "txt;sok;xsb;kzm")) return false;
    chosen = path;
    return true;
}

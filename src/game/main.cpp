// boxyard: start-up. Reads the command line, moves into the game's data
// folder, brings the library up, loads the pictures and the first level, and
// hands over to the session for the rest of the process.
#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "files/level_file.h"
#include "game/game_folders.h"
#include "game/resources.h"
#include "game/session.h"
#include "game/window_size.h"
#include "input/close_request.h"
#include "input/mouse_input.h"
#include "input/ticks.h"
#include "rules/board.h"
#include "view/canvas.h"
#include "view/resource_items.h"
#include "view/window_scale.h"

namespace {

// The scale asked for with --scale, or 0 to choose one.
int requestedScale = 0;

const char* const usage =
    "usage: boxyard [--levels FOLDER] [--scale N]\n"
    "\n"
    "  --levels FOLDER   play the levels in FOLDER: new games start at FOLDER/level1.kzm\n"
    "                    (as written by 'boxyard-levels import COLLECTION FOLDER')\n"
    "  --scale N         show the game N times its size, N from 1 to 4 (F5 steps through\n"
    "                    the sizes that fit); by default the largest that fits the desktop\n"
    "  --help            show this text\n"
    "\n"
    "Saved games and the autosave are kept in $XDG_DATA_HOME/boxyard\n"
    "(~/.local/share/boxyard when XDG_DATA_HOME is not set).\n";

// Reads the command line. Returns -1 to go on, or the exit status to end
// with at once.
int readOptions(int argc, char** argv) {
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--levels") == 0 && i + 1 < argc) {
            std::string problem;
            std::string first = firstLevelIn(argv[++i], problem);
            if (first.empty()) {
                std::fprintf(stderr, "boxyard: %s\n", problem.c_str());
                return 2;
            }
            if (!canOpenLevel(first)) {
                std::fprintf(stderr, "boxyard: there is no level1.kzm in \"%s\" to start a game with\n", argv[i]);
                return 1;
            }
            firstLevelFile = first;
            continue;
        }
        if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc) {
            const char* number = argv[++i];
            if (number[0] < '1' || number[0] > '0' + largestScale || number[1] != '\0') {
                std::fprintf(stderr, "boxyard: the scale is a whole number from 1 to %d, not \"%s\"\n", largestScale,
                             number);
                return 2;
            }
            requestedScale = number[0] - '0';
            continue;
        }
        const bool needsValue = std::strcmp(argv[i], "--levels") == 0 || std::strcmp(argv[i], "--scale") == 0;
        std::fprintf(stderr, "boxyard: %s \"%s\" (try --help)\n",
                     needsValue ? "a value must follow" : "unknown option", argv[i]);
        return 2;
    }
    return -1;
}

// The game plays with its data folder as its working folder: the pictures,
// the music, the shipped levels and the sound settings are all named from
// there.
void enterDataFolder() {
    std::string folder = findDataFolder();
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "boxyard: cannot enter the game's folder %s (%s)\n", folder.c_str(),
                     std::strerror(errno));
    }
}

// All text is drawn with a transparent background.
void useTransparentText() {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    text_mode(-1);
#pragma GCC diagnostic pop
}

}  // namespace

int main(int argc, char** argv) {
    int status = readOptions(argc, argv);
    if (status >= 0) return status;
    enterDataFolder();
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
        std::fprintf(stderr, "boxyard: cannot start the graphics library (%s); is there a display (DISPLAY)?\n",
                     allegro_error);
        return 1;
    }
    // The library looks for its settings beside the program; an installed
    // game keeps them in its data folder.
    set_config_file("allegro.cfg");
    install_timer();
    install_keyboard();
    startTicks();
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, argv[0]) != 0) {
        allegro_message("Error initialising sound system\n%s\nPress Ok to continue without sound", allegro_error);
    }
    std::srand(unsigned(std::time(nullptr)));
    set_color_depth(16);
    if (!openGameWindow(requestedScale)) {
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
        showMessage(allegro_error);
        endGame(1);
    }
    set_window_title("boxyard");
    setCloseAction(endOnClose);
    watchCloseButton();
    useTransparentText();
    media.sprites = loadSpriteSet();
    media.screens = loadScreenSet();
    startMouse();
    setPointerPicture(static_cast<BITMAP*>(media.sprites[spritePointer].dat));
    setPointerAction(presentCanvas);
    setScaleStepAction(stepGameWindow);

    resetPlayer(board.player);
    clearLayout();
    fillFloor();
    resetBoard();
    // Without a first level there is no game to start.
    if (!openLevel(firstLevelFile)) endGame(1);
    board.player.x = board.player.startX;
    board.player.y = board.player.startY;
    rest(200);
    runSession();
}
END_OF_MAIN()

// boxyard: start-up. Reads the command line, moves into the game's data
// folder, brings the library up, loads the pictures and the first level, and
// hands over to the session for the rest of the process.
#include <allegro.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "files/collection_level.h"
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
    "usage: boxyard [--level N] [--scale N] [FILE-OR-FOLDER]\n"
    "       boxyard [--levels FOLDER] [--scale N]\n"
    "\n"
    "  FILE-OR-FOLDER    play a collection straight after the title: a file of levels in\n"
    "                    the common text notation (.txt, .sok, .xsb), or a folder holding\n"
    "                    a chain of level files from level1.kzm on\n"
    "  --level N         start the collection at its level N (at its first level without)\n"
    "  --levels FOLDER   play the levels in FOLDER: new games start at FOLDER/level1.kzm\n"
    "                    (as written by 'boxyard-levels import COLLECTION FOLDER')\n"
    "  --scale N         show the game N times its size, N from 1 to 4 (F5 steps through\n"
    "                    the sizes that fit); by default the largest that fits the desktop\n"
    "  --help            show this text\n"
    "\n"
    "Saved games and the autosave are kept in $XDG_DATA_HOME/boxyard\n"
    "(~/.local/share/boxyard when XDG_DATA_HOME is not set).\n";

// What the command line asks to play straight after the title, if anything.
std::string firstPlay;
int32_t firstPlayNumber = 1;
bool firstPlayChosen = false;  // no level asked for: the chooser picks it

// A level number as typed: 1 or more; 0 when it is not one.
int levelNumberOf(const char* text) {
    int number = 0;
    for (const char* c = text; *c; c++) {
        if (*c < '0' || *c > '9' || number > 100000000) return 0;
        number = number * 10 + (*c - '0');
    }
    return number;
}

// Reads the command line. Returns -1 to go on, or the exit status to end
// with at once.
int readOptions(int argc, char** argv) {
    int levelAsked = 0;
    const char* collection = nullptr;
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
        if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc) {
            levelAsked = levelNumberOf(argv[++i]);
            if (levelAsked == 0) {
                std::fprintf(stderr, "boxyard: --level takes a level number from 1 on, not \"%s\"\n", argv[i]);
                return 2;
            }
            continue;
        }
        if (argv[i][0] != '-' && !collection) {
            collection = argv[i];
            continue;
        }
        std::fprintf(stderr, "boxyard: %s \"%s\" (try --help)\n",
                     std::strcmp(argv[i], "--levels") == 0   ? "a folder must follow"
                     : std::strcmp(argv[i], "--scale") == 0  ? "a scale from 1 to 4 must follow"
                     : std::strcmp(argv[i], "--level") == 0  ? "a level number must follow"
                     : std::strcmp(argv[i], "--scale") == 0  ? "a scale must follow"
                     : argv[i][0] != '-'                     ? "one collection at a time, not also"
                                                             : "unknown option",
                     argv[i]);
        return 2;
    }
    if (levelAsked > 0 && !collection) {
        std::fprintf(stderr, "boxyard: --level needs a collection to play (try --help)\n");
        return 2;
    }
    if (collection) {
        // Named from where the game was started, before it moves into its folder.
        std::string problem;
        firstPlay = openCollection(collection, levelAsked, problem);
        if (firstPlay.empty()) {
            std::fprintf(stderr, "boxyard: %s\n", problem.c_str());
            return 1;
        }
        std::string path;
        int number = 0;
        firstPlayNumber = isCollectionLevelName(firstPlay, path, number) ? number : std::max(levelAsked, 1);
        firstPlayChosen = levelAsked == 0;
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
    runSession(firstPlay, firstPlayNumber, firstPlayChosen);
}
END_OF_MAIN()

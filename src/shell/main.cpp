// boxyard: start-up. Brings the library up, loads the pictures and the first
// level, and hands over to the play loop for the rest of the process.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "files/level_file.h"
#include "rules/board.h"
#include "shell/play_loop.h"
#include "shell/resources.h"
#include "shell/resource_items.h"
#include "shell/seam.h"
#include "shell/ticks.h"
#include "view/music.h"
#include "view/title_menu.h"

namespace {

// All text is drawn with a transparent background.
void useTransparentText() {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    text_mode(-1);
#pragma GCC diagnostic pop
}

}  // namespace

int main(int argc, char** argv) {
    (void)argc;
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
        std::fprintf(stderr, "boxyard: cannot start the graphics library (%s); is there a display (DISPLAY)?\n",
                     allegro_error);
        return 1;
    }
    install_timer();
    install_keyboard();
    startTicks();
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, argv[0]) != 0) {
        allegro_message("Error initialising sound system\n%s\nPress Ok to continue without sound", allegro_error);
    }
    std::srand(unsigned(std::time(nullptr)));
    set_color_depth(16);
    if (set_gfx_mode(GFX_SAFE, screenWidth, screenHeight, 0, 0) != 0) {
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
        showMessage(allegro_error);
        endProcess(1);
    }
    set_window_title("boxyard");
    useTransparentText();
    BITMAP* backBuffer = create_bitmap(screenWidth, screenHeight);
    DATAFILE* spriteSet = loadSpriteSet();
    DATAFILE* screenSet = loadScreenSet();

    resetPlayer(board.player);
    clearLayout();
    fillFloor();
    resetBoard();
    loadLevel(firstLevelFile);
    board.player.x = board.player.startX;
    board.player.y = board.player.startY;
    rest(200);
    showTitle(screenSet);
    playRandomMusic();
    runMainMenu(screenSet);

    runPlayLoop(backBuffer, spriteSet, screenSet);
}
END_OF_MAIN()

// The seam filled with the library: the push sound from data.dat, the
// library's message box, and the C runtime's exit, which also runs the
// library's shutdown registered at start-up.
#include "shell/seam.h"

#include <allegro.h>

#include <cstdlib>

#include "shell/resource_items.h"

void playPushSound(DATAFILE* screens) {
    // The hint tries its solution with the game's moves and no sound set.
    if (!screens) return;
    // Volume 255 and centre pan: the loudest values that keep the sound in
    // both channels.
    play_sample(static_cast<SAMPLE*>(screens[screenPushSound].dat), 255, 128, 1000, 0);
}

void showMessage(const char* text) { allegro_message("%s", text); }

void endProcess(int status) { std::exit(status); }

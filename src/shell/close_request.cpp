// The close button's flag and what the game does about it.
#include "shell/close_request.h"

#include <allegro.h>

#include "files/saved_game.h"
#include "shell/autosave.h"
#include "shell/seam.h"

std::atomic<bool> closeRequested(false);

namespace {

void onCloseButton() { closeRequested.store(true); }
END_OF_FUNCTION(onCloseButton)

}  // namespace

void watchCloseButton() {
    LOCK_VARIABLE(closeRequested);
    LOCK_FUNCTION(onCloseButton);
    set_close_button_callback(onCloseButton);
}

void actOnCloseRequest() {
    if (!closeRequested.load()) return;
    if (levelInPlay) writeAutosave(savedGameOfBoard());
    // Closing is no failure, as leaving through the menu's Exit is not.
    endProcess(0);
}

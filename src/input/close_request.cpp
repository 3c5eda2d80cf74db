// The close button's flag, and the hand-over to the game's way of ending.
#include "input/close_request.h"

#include <allegro.h>

std::atomic<bool> closeRequested(false);

namespace {

void (*closeAction)() = nullptr;
int (*libraryMouseButtons)() = nullptr;

void onCloseButton() { closeRequested.store(true); }
END_OF_FUNCTION(onCloseButton)

// Called by the selector's loop many times a second, on the main thread.
int mouseButtonsOrClose() {
    if (closeRequested.load() && !keypressed()) simulate_keypress((KEY_ESC << 8) | 27);
    return libraryMouseButtons ? libraryMouseButtons() : 0;
}

}  // namespace

void watchCloseButton() {
    LOCK_VARIABLE(closeRequested);
    LOCK_FUNCTION(onCloseButton);
    set_close_button_callback(onCloseButton);
}

void setCloseAction(void (*action)()) { closeAction = action; }

void actOnCloseRequest() {
    if (closeRequested.load() && closeAction) closeAction();
}

void selectorOpened() {
    libraryMouseButtons = gui_mouse_b;
    gui_mouse_b = mouseButtonsOrClose;
}

void selectorClosed() {
    if (libraryMouseButtons) gui_mouse_b = libraryMouseButtons;
    libraryMouseButtons = nullptr;
}

// The close button's flag, and the hand-over to the game's way of ending.
#include "input/close_request.h"

#include <allegro.h>
#include <xalleg.h>

std::atomic<bool> closeRequested(false);

namespace {

void (*closeAction)() = nullptr;
int (*libraryMouseButtons)() = nullptr;

void onCloseButton() { closeRequested.store(true); }
END_OF_FUNCTION(onCloseButton)

void ignoreWindowEvents() {}

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

void stopReadingWindowEvents() {
    // Taken under the library's lock, so an event being read now is finished
    // first and none is read after.
    XLOCK();
    _xwin_input_handler = ignoreWindowEvents;
    XUNLOCK();
}

void selectorOpened() {
    libraryMouseButtons = gui_mouse_b;
    gui_mouse_b = mouseButtonsOrClose;
}

void selectorClosed() {
    if (libraryMouseButtons) gui_mouse_b = libraryMouseButtons;
    libraryMouseButtons = nullptr;
}

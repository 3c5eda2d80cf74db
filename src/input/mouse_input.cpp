// The mouse through the library: install_mouse, poll_mouse where the driver
// wants it, and the pointer's place divided by the window's scale.
#include "input/mouse_input.h"

#include <allegro.h>

Pointer pointer = {0, 0, false};

namespace {

bool mouseInstalled = false;
int pointerScale = 1;
// The mouse's place in window pixels at the last look: the pointer shows
// only when it changes, so a mouse nobody touches never shows it.
int lastWindowX = -1, lastWindowY = -1;
void (*pointerAction)() = nullptr;

void pollIfNeeded() {
    if (mouseInstalled && mouse_needs_poll()) poll_mouse();
}

bool anyKeyDown() {
    for (int scancode = 1; scancode < KEY_MAX; scancode++) {
        if (key[scancode]) return true;
    }
    return false;
}

}  // namespace

void startMouse() {
    mouseInstalled = install_mouse() >= 0;
    if (!mouseInstalled) return;
    pollIfNeeded();
    lastWindowX = mouse_x;
    lastWindowY = mouse_y;
    pointer.x = mouse_x / pointerScale;
    pointer.y = mouse_y / pointerScale;
}

void setPointerScale(int scale) {
    pointerScale = scale > 0 ? scale : 1;
    // A new window puts the mouse where it likes; that is no move of the player's.
    pollIfNeeded();
    lastWindowX = mouse_x;
    lastWindowY = mouse_y;
    pointer.x = mouse_x / pointerScale;
    pointer.y = mouse_y / pointerScale;
}

bool lookAtPointer() {
    if (!mouseInstalled) return false;
    pollIfNeeded();
    const Pointer before = pointer;
    const int windowX = mouse_x, windowY = mouse_y;
    if (windowX != lastWindowX || windowY != lastWindowY) {
        lastWindowX = windowX;
        lastWindowY = windowY;
        pointer.x = windowX / pointerScale;
        pointer.y = windowY / pointerScale;
        pointer.shown = true;
    } else if (pointer.shown && anyKeyDown()) {
        pointer.shown = false;
    }
    if (before.shown != pointer.shown) return true;
    return pointer.shown && (before.x != pointer.x || before.y != pointer.y);
}

void setPointerAction(void (*action)()) { pointerAction = action; }

void followPointer() {
    if (lookAtPointer() && pointerAction) pointerAction();
}

void holdOverMouse(MouseWatch& watch) {
    pollIfNeeded();
    watch.buttons = mouseInstalled ? mouse_b : 0;
    watch.wheel = mouseInstalled ? mouse_z : 0;
}

MouseEvents readMouse(MouseWatch& watch) {
    MouseEvents events = {false, false, 0};
    if (!mouseInstalled) return events;
    pollIfNeeded();
    const int buttons = mouse_b, wheel = mouse_z;
    const int pressed = buttons & ~watch.buttons;
    events.leftClick = pressed & 1;
    events.rightClick = pressed & 2;
    events.wheelUp = wheel - watch.wheel;
    watch.buttons = buttons;
    watch.wheel = wheel;
    return events;
}

int mouseButtonsNow() {
    pollIfNeeded();
    return mouseInstalled ? mouse_b : 0;
}

int pointerXNow() { return mouseInstalled ? mouse_x / pointerScale : 0; }
int pointerYNow() { return mouseInstalled ? mouse_y / pointerScale : 0; }

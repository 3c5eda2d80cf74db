// The mouse: where its pointer is on the 640x480 picture, whether the
// pointer is shown, and which buttons went down and how far the wheel turned
// since the last look. The pointer shows once the mouse moves and hides while
// the keyboard is in use, so a player on the keys never has it in the way.
#pragma once

// Where the pointer is, in pixels of the 640x480 picture, and whether it is
// drawn.
struct Pointer {
    int x;
    int y;
    bool shown;
};

extern Pointer pointer;

// Brings the mouse up. Without one, every look finds nothing new.
void startMouse();
// The window is the picture enlarged this many times: window pixels are
// divided by it.
void setPointerScale(int scale);

// Looks at the mouse and the keyboard: the pointer follows the mouse and is
// shown when it moved, and is hidden while any key is down. True when the
// pointer is to be drawn anew.
bool lookAtPointer();
// What the waits do when the pointer is to be drawn anew: the game presents
// the picture again.
void setPointerAction(void (*action)());
// Looks at the pointer and carries out the pointer action when it changed.
void followPointer();

// The buttons and the wheel as last seen, so each look reports only what is new.
struct MouseWatch {
    int buttons;
    int wheel;
};

// What happened since the last look: a button that went down is a click;
// the wheel's notches, up as positive.
struct MouseEvents {
    bool leftClick;
    bool rightClick;
    int wheelUp;
};

// Arms the watch with the mouse as it is now: a button already down does not
// click until it has been let go and pressed again, and the wheel counts from here.
void holdOverMouse(MouseWatch& watch);
MouseEvents readMouse(MouseWatch& watch);
// The buttons as the library reads them, in window terms, and the pointer's
// place in picture pixels: what the file selector's hooks hand the library.
int mouseButtonsNow();
int pointerXNow();
int pointerYNow();

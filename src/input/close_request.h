// Closing the window from the desktop: its close button or the desktop's close
// shortcut. The library reports it from its own thread, where nothing but a
// flag may be touched; the main thread acts on it wherever it waits, through
// the one action the game has set.
#pragma once

#include <atomic>

// Raised by the library's thread when the window is asked to close.
extern std::atomic<bool> closeRequested;

// Has the library raise closeRequested when the window is asked to close.
// Called once the window is open.
void watchCloseButton();
// What a close of the window does: the game's own way of ending.
void setCloseAction(void (*action)());
// When the window has been asked to close, carries out the close action;
// otherwise returns at once.
void actOnCloseRequest();
// The game is ending: the library's thread stops reading the window's events.
// Its own shutdown frees its settings before it stops that thread, and a
// keyboard-layout change arriving in between would be read from freed memory.
void stopReadingWindowEvents();

// The library's file selector runs its own loop; the one thing of ours it
// calls is the hook that reads the mouse buttons. While it is open, that hook
// presses Esc for it once the window has been asked to close, so the selector
// closes as if cancelled and the game acts on the close at once.
void selectorOpened();
void selectorClosed();

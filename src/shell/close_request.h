// Closing the window from the desktop: its close button or the desktop's close
// shortcut. The library reports it from its own thread, where nothing but a
// flag may be touched; the main thread acts on it wherever it waits.
#pragma once

#include <atomic>

// Raised by the library's thread when the window is asked to close.
extern std::atomic<bool> closeRequested;

// Has the library raise closeRequested when the window is asked to close.
// Called once the window is open.
void watchCloseButton();
// When the window has been asked to close: keeps the level being played in
// the autosave, if one is, and ends the game with status 0. Otherwise it
// returns at once.
void actOnCloseRequest();

// The keys that help a player along: U or Backspace takes a move back,
// Shift+U or Ctrl+Y makes it again, H asks for a hint. Which of them are
// down, and which act on this tick.
#pragma once

#include "input/key_presses.h"

struct AidKeys {
    KeyRepeat undo;
    KeyRepeat redo;
    KeyLatch hint;
    // U undoes or redoes by whether Shift was down when U went down, for as
    // long as U stays down: fingers let go of Shift first, and the end of a
    // Shift+U must not read as a U.
    bool uDown;
    bool uRedoes;
};

// Which of them are down, read once at the start of a tick.
struct AidKeysDown {
    bool undo;
    bool redo;
    bool hint;
};

// Which of them act now.
struct AidPresses {
    bool undo;
    bool redo;
    bool hint;
};

void resetAidKeys(AidKeys& keys);
AidKeysDown readAidKeys(AidKeys& keys);

// A held U or Shift+U walks on after 24 ticks, then every 6, about ten moves
// a second; H acts once per press.
AidPresses pressedAidKeys(AidKeys& keys, const AidKeysDown& down, unsigned now);
// After a prompt: an aid key that went down inside it (it was up at `before`)
// does nothing until it is let go and pressed again.
void holdOverAidKeys(AidKeys& keys, const AidKeysDown& before);

// Turning a key that is held down into presses: one action when it goes
// down, and, for keys that walk on, more after a pause while it stays down.
// Pure bookkeeping over "is it down now" and a clock of the caller's choice
// (ticks in play, milliseconds in the menu), so it is tested without a display.
#pragma once

// One press, one action: the key acts when it goes down and not again until
// it has been seen up. A key already down when the latch is armed counts as
// held over and does nothing until it is pressed again.
struct KeyLatch {
    bool held;
};

// A press that walks on: one action when the key goes down, the next after
// `firstDelay`, then one every `interval` while it stays down.
struct KeyRepeat {
    bool held;
    bool heldOver;    // down since before it was armed: silent until let go
    unsigned nextAt;  // on the caller's clock: when a held key acts again
};

void resetKeyLatch(KeyLatch& latch);
void resetKeyRepeat(KeyRepeat& repeat);

// Arms the latch with the key's state now: a key that is down stays silent
// until it has been let go and pressed again.
void holdOver(KeyLatch& latch, bool down);
void holdOver(KeyRepeat& repeat, bool down);

// True once per press.
bool keyPressed(KeyLatch& latch, bool down);
// True when the key goes down and again each time a held key is due.
// The clock may wrap round; only differences are looked at.
bool keyPressedOrRepeated(KeyRepeat& repeat, bool down, unsigned now, unsigned firstDelay, unsigned interval);

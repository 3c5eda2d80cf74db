// Presses from held keys: what makes one press of Enter, M or an arrow in the
// menu one action, however long the finger stays on the key.
#include "input/key_presses.h"

#include <cstdint>

void resetKeyLatch(KeyLatch& latch) { latch.held = false; }

void resetKeyRepeat(KeyRepeat& repeat) {
    repeat.held = false;
    repeat.heldOver = false;
    repeat.nextAt = 0;
}

void holdOver(KeyLatch& latch, bool down) { latch.held = down; }

void holdOver(KeyRepeat& repeat, bool down) {
    repeat.held = down;
    repeat.heldOver = down;
}

bool keyPressed(KeyLatch& latch, bool down) {
    bool pressed = down && !latch.held;
    latch.held = down;
    return pressed;
}

bool keyPressedOrRepeated(KeyRepeat& repeat, bool down, unsigned now, unsigned firstDelay, unsigned interval) {
    if (!down) {
        repeat.held = false;
        repeat.heldOver = false;
        return false;
    }
    if (!repeat.held) {
        repeat.held = true;
        repeat.nextAt = now + firstDelay;
        return true;
    }
    if (repeat.heldOver || int32_t(now - repeat.nextAt) < 0) return false;
    repeat.nextAt = now + interval;
    return true;
}

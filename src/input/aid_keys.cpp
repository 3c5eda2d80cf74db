// Reading the aid keys from the library's key state.
#include "input/aid_keys.h"

#include <allegro.h>

namespace {

constexpr unsigned walkBackDelayTicks = 24;  // 400 ms
constexpr unsigned walkBackTicks = 6;        // then ten a second

}  // namespace

void resetAidKeys(AidKeys& keys) {
    resetKeyRepeat(keys.undo);
    resetKeyRepeat(keys.redo);
    resetKeyLatch(keys.hint);
    keys.uDown = false;
    keys.uRedoes = false;
}

AidKeysDown readAidKeys(AidKeys& keys) {
    const bool shift = key_shifts & KB_SHIFT_FLAG, ctrl = key_shifts & KB_CTRL_FLAG;
    const bool uDown = key[KEY_U];
    if (uDown && !keys.uDown) keys.uRedoes = shift;
    keys.uDown = uDown;
    return {(uDown && !keys.uRedoes) || key[KEY_BACKSPACE], (uDown && keys.uRedoes) || (key[KEY_Y] && ctrl),
            bool(key[KEY_H])};
}

AidPresses pressedAidKeys(AidKeys& keys, const AidKeysDown& down, unsigned now) {
    AidPresses presses;
    presses.undo = keyPressedOrRepeated(keys.undo, down.undo, now, walkBackDelayTicks, walkBackTicks);
    presses.redo = keyPressedOrRepeated(keys.redo, down.redo, now, walkBackDelayTicks, walkBackTicks);
    presses.hint = keyPressed(keys.hint, down.hint);
    return presses;
}

void holdOverAidKeys(AidKeys& keys, const AidKeysDown& before) {
    const AidKeysDown now = readAidKeys(keys);
    if (!before.undo) holdOver(keys.undo, now.undo);
    if (!before.redo) holdOver(keys.redo, now.redo);
    if (!before.hint) holdOver(keys.hint, now.hint);
}

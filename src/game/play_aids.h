// Undo, redo and the hint in play, and the notes they leave over the board:
// the hint's mark, and after every push the quick test that warns when the
// level can no longer be won.
#pragma once

#include "input/aid_keys.h"

// Undo, redo and the hint, in that order, as the presses say. True when the
// board or what is drawn over it changed.
bool actOnAidKeys(const AidPresses& presses);

// After the player's own move: the hint's mark goes, and a push is tested.
void afterMove(bool pushed);

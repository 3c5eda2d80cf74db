// The mouse in play. A click on a cell the player can reach walks there by a
// shortest way; a click on a box picks it and marks where it can be pushed,
// and a click on one of those cells pushes it there by the fewest pushes.
// The walk and the pushes are played one move every few ticks, each as if
// typed. The right button takes a move back, the wheel takes back and makes
// again.
#pragma once

#include <string>

#include "input/mouse_input.h"

struct MousePlay {
    MouseWatch watch;
    std::string moves;      // the moves of a walk or a drag not yet made
    unsigned nextMoveAt;    // on the play loop's tick clock
    bool keysDown[128];     // the keys as last seen: a key that goes down stops a walk
};

// Nothing under way; the buttons held now click only once pressed again.
void resetMousePlay(MousePlay& play);
// Stops a walk or a drag where it is.
void stopMouseMoves(MousePlay& play);
// Whether a walk or a drag is under way.
bool mouseMovesUnderWay(const MousePlay& play);

// What the mouse and the keys did on this tick, `now` on the tick clock. A
// click, the wheel or a key going down stops a walk; a click then does
// nothing more. `moveLatch` is the arrows' latch, set after a move as an
// arrow's move sets it. True when the board or its marks changed.
bool handleMouse(MousePlay& play, unsigned now, bool& moveLatch);
// Makes the next move of a walk or a drag when it is due. True when one was made.
bool walkOn(MousePlay& play, unsigned now, bool& moveLatch);

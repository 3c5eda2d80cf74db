// Waiting for the player: for any key on a page or a question, for Enter on
// the end-of-level screens. The waits sleep between looks at the keyboard,
// so a game waiting for a key uses no processor. A close of the window while
// they wait ends the game (actOnCloseRequest).
#pragma once

// Waits for the next key press in the key buffer and returns it as readkey does.
int waitForKey();
// Waits until Enter goes down. An Enter already down when the wait begins is
// held over from before and does not count: it must be let go and pressed.
void waitForEnterPress();

// Waiting for the player: for any key on a page or a question, for Enter on
// the end-of-level screens. The waits sleep between looks at the keyboard,
// so a game waiting for a key uses no processor. A close of the window while
// they wait ends the game (actOnCloseRequest).
#pragma once

// A key held down repeats: while it stays down it keeps putting presses into
// the key buffer. From now until each key that is down now is let go, its
// repeats are dropped, so the R that opened a question does not answer it and
// the S that opened the file selector does not type into it.
void ignoreRepeatsOfHeldKeys();
// Waits for the next key press in the key buffer and returns it as readkey
// does. Keys already down when the wait begins count only once pressed again.
int waitForKey();
// The same, or a left click, for which it returns 0. A button already down
// when the wait begins counts only once pressed again.
int waitForKeyOrClick();
// Waits until Enter goes down or the left button is clicked. An Enter or a
// button already down when the wait begins is held over from before and does
// not count: it must be let go and pressed.
void waitForEnterOrClick();

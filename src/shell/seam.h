// The few places where the rules and the file readers must reach the library:
// the push sound, the message box and the end of the process. The game fills
// them with Allegro calls (seam.cpp); tests and tools fill them their own way.
#pragma once

struct DATAFILE;

// Plays the push sound held in the screens datafile; nothing when there is none.
void playPushSound(DATAFILE* screens);
// Shows a message to the player and waits until it is dismissed.
void showMessage(const char* text);
// Ends the process with the given exit status.
[[noreturn]] void endProcess(int status);

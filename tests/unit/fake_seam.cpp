#include "fake_seam.h"

#include "shell/seam.h"

int pushSoundsPlayed = 0;
std::string lastMessage;

void playPushSound(DATAFILE*) { pushSoundsPlayed++; }
void showMessage(const char* text) { lastMessage = text; }
void endProcess(int status) { throw ProcessEnded{status}; }

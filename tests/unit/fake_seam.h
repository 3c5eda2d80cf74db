// A seam for tests: counts push sounds, keeps the last message, and turns the
// end of the process into an exception the test can catch.
#pragma once

#include <string>

struct ProcessEnded {
    int status;
};

extern int pushSoundsPlayed;
extern std::string lastMessage;

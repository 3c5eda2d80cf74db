// The seam as the fuzz targets fill it. The push sound is only counted. No
// reader may end the process or ask for a message box on the inputs fuzzed
// here, so either stops the run as a finding rather than passing quietly.
#include <cstdio>
#include <cstdlib>

#include "fuzz_check.h"
#include "shell/seam.h"

long pushSoundsPlayed = 0;

void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken guarantee: %s\n", what);
    std::abort();
}

bool isSingleToken(const std::string& name) {
    for (char c : name) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') return false;
    }
    return true;
}

void playPushSound(DATAFILE*) { pushSoundsPlayed++; }

void showMessage(const char* text) {
    std::fprintf(stderr, "message box asked for: %s\n", text);
    std::abort();
}

void endProcess(int status) {
    std::fprintf(stderr, "end of process asked for, status %d\n", status);
    std::abort();
}

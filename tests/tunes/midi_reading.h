// An independent reader of standard MIDI files for the tests: it checks what
// the tune generator wrote against the file format, not against the writer.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

struct MidiSummary {
    std::string problem;  // empty when the file reads cleanly
    int format = -1;
    int tracks = 0;
    int division = 0;
    uint32_t endTick = 0;    // the last end-of-track
    double seconds = 0.0;    // the same, through the tempo map
    std::map<int, int> notesByChannel;  // channel index -> note-ons
    std::map<int, int> programs;        // channel index -> program
    std::set<int> drumKeys;             // keys struck on channel index 9
    int tempoEvents = 0;
    int hangingNotes = 0;   // note-ons never released, or releases of nothing
    int lastRelease = 0;    // tick of the last note-off
    int lowestVelocity = 128;
    int highestVelocity = 0;
};

MidiSummary summarizeMidi(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> readFileBytes(const std::string& path);

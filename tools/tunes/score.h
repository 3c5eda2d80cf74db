// Reading a tune written in the tune notation of tools/tunes/scores (see
// scores/README.md) and turning it into the tracks of a MIDI file.
//
// A tune names its parts (a melody written note by note, chord and bass
// parts written as rhythm patterns over chord degrees, drums written on a
// sixteenth-note grid), its sections (each with a chord progression) and its
// form, the order the sections are played in. Every bar is checked against
// the metre, so a miscounted bar stops the build instead of shifting a tune.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "midi_file.h"

// A mistake in a tune, with the file and line it was found on.
struct TuneError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class PartKind { melody, chords, bass, drums };

struct PartSetup {
    std::string name;
    PartKind kind = PartKind::melody;
    int channel = 0;
    int program = 0;     // General MIDI program, counted from 0
    int volume = 100;    // channel volume, controller 7
    int pan = 64;        // controller 10, 64 is the middle
    int velocity = 72;   // the part's ordinary loudness before accents
    int legato = 90;     // how much of each written length sounds, in percent
    int floor = 48;      // chord and bass parts: lowest key of the root's octave
};

struct Note {
    uint32_t tick;
    uint32_t length;
    int key;
    int velocity;
};

struct RenderedPart {
    PartSetup setup;
    std::vector<Note> notes;
};

struct RenderedTune {
    std::string title;
    double tempo = 90.0;  // quarter notes per minute
    int meterTop = 4;
    int meterBottom = 4;
    uint32_t barTicks = 4 * ticksPerQuarter;
    uint32_t lengthTicks = 0;  // the loop: the tune starts over here
    std::vector<RenderedPart> parts;
};

// Reads a whole tune. `source` names the file in error messages.
RenderedTune readTune(const std::string& text, const std::string& source);
// Seconds from the start to the point where the tune loops.
double tuneSeconds(const RenderedTune& tune);
// The conductor track, then one track per part.
std::vector<MidiTrack> tuneTracks(const RenderedTune& tune);

// The key of a written pitch such as "c4", "f#3" or "bb5" (middle C is c4, 60),
// or -1 when it is not one.
int pitchKey(const std::string& written);
// The keys of a chord symbol such as "Am", "Fmaj7", "C7sus4" or "C/E", as
// semitones above its root; false when the symbol is not understood.
bool chordIntervals(const std::string& symbol, std::vector<int>& intervals);
// The percussion key a drum name stands for ("kick", "hat", "rim", ...), or -1.
int drumKey(const std::string& name);

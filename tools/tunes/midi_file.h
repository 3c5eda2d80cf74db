// A small standard MIDI file writer: format 1, a conductor track holding the
// tempo and metre, then one track per instrument. Events are collected with
// absolute times and written as delta times, with running status.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The resolution every tune is written at.
constexpr int ticksPerQuarter = 480;
// MIDI channel index 9 is the General MIDI percussion channel ("channel 10").
constexpr int drumChannel = 9;

struct MidiEvent {
    uint32_t tick;
    int order;  // among events at the same tick, lower goes first
    std::vector<uint8_t> bytes;  // status byte and data, or 0xFF type length data for a meta event
};

struct MidiTrack {
    std::vector<MidiEvent> events;
    uint32_t endTick = 0;  // where the end-of-track marker goes; never before the last event
};

void addTrackName(MidiTrack& track, const std::string& name);
void addTempo(MidiTrack& track, uint32_t tick, double quartersPerMinute);
void addTimeSignature(MidiTrack& track, uint32_t tick, int numerator, int denominator);
void addProgram(MidiTrack& track, uint32_t tick, int channel, int program);
void addController(MidiTrack& track, uint32_t tick, int channel, int controller, int value);
// A note as its note-on and its note-off `length` ticks later. At one tick,
// note-offs are written before note-ons, so a repeated key is never cut short.
void addNote(MidiTrack& track, uint32_t tick, uint32_t length, int channel, int key, int velocity);

// The variable-length quantity MIDI uses for delta times and meta lengths.
std::vector<uint8_t> variableLength(uint32_t value);
// The whole file: header chunk, then one chunk per track, each closed with
// an end-of-track marker.
std::vector<uint8_t> encodeMidiFile(const std::vector<MidiTrack>& tracks);
bool writeMidiFile(const std::string& path, const std::vector<MidiTrack>& tracks);

// Standard MIDI file encoding for the tune generator.
#include "midi_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Ordering inside one tick: names and tempo first, then set-up messages,
// then releases, then new notes.
constexpr int metaOrder = 0;
constexpr int setupOrder = 1;
constexpr int noteOffOrder = 2;
constexpr int noteOnOrder = 3;

uint8_t dataByte(int value) { return uint8_t(std::clamp(value, 0, 127)); }

void push(MidiTrack& track, uint32_t tick, int order, std::vector<uint8_t> bytes) {
    track.events.push_back({tick, order, std::move(bytes)});
    track.endTick = std::max(track.endTick, tick);
}

void appendBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

std::vector<uint8_t> encodeTrack(const MidiTrack& track) {
    std::vector<MidiEvent> events = track.events;
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    uint32_t now = 0;
    uint8_t runningStatus = 0;
    for (const MidiEvent& event : events) {
        std::vector<uint8_t> delta = variableLength(event.tick - now);
        body.insert(body.end(), delta.begin(), delta.end());
        now = event.tick;
        uint8_t status = event.bytes[0];
        size_t from = 0;
        if (status == 0xFF) {
            runningStatus = 0;  // a meta event cancels running status
        } else if (status == runningStatus) {
            from = 1;
        } else {
            runningStatus = status;
        }
        body.insert(body.end(), event.bytes.begin() + long(from), event.bytes.end());
    }
    std::vector<uint8_t> end = variableLength(std::max(track.endTick, now) - now);
    body.insert(body.end(), end.begin(), end.end());
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
    appendBigEndian(chunk, uint32_t(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

}  // namespace

void addTrackName(MidiTrack& track, const std::string& name) {
    std::vector<uint8_t> bytes = {0xFF, 0x03};
    std::vector<uint8_t> length = variableLength(uint32_t(name.size()));
    bytes.insert(bytes.end(), length.begin(), length.end());
    bytes.insert(bytes.end(), name.begin(), name.end());
    push(track, 0, metaOrder, bytes);
}

void addTempo(MidiTrack& track, uint32_t tick, double quartersPerMinute) {
    uint32_t microseconds = uint32_t(std::lround(60000000.0 / quartersPerMinute));
    std::vector<uint8_t> bytes = {0xFF, 0x51, 0x03};
    appendBigEndian(bytes, microseconds, 3);
    push(track, tick, metaOrder, bytes);
}

void addTimeSignature(MidiTrack& track, uint32_t tick, int numerator, int denominator) {
    int power = 0;
    while ((1 << power) < denominator) power++;
    // 24 clocks to the metronome click, 8 thirty-seconds to the quarter.
    push(track, tick, metaOrder, {0xFF, 0x58, 0x04, uint8_t(numerator), uint8_t(power), 24, 8});
}

void addProgram(MidiTrack& track, uint32_t tick, int channel, int program) {
    push(track, tick, setupOrder, {uint8_t(0xC0 | channel), dataByte(program)});
}

void addController(MidiTrack& track, uint32_t tick, int channel, int controller, int value) {
    push(track, tick, setupOrder, {uint8_t(0xB0 | channel), dataByte(controller), dataByte(value)});
}

void addNote(MidiTrack& track, uint32_t tick, uint32_t length, int channel, int key, int velocity) {
    push(track, tick, noteOnOrder, {uint8_t(0x90 | channel), dataByte(key), uint8_t(std::clamp(velocity, 1, 127))});
    push(track, tick + length, noteOffOrder, {uint8_t(0x80 | channel), dataByte(key), 64});
}

std::vector<uint8_t> variableLength(uint32_t value) {
    std::vector<uint8_t> out = {uint8_t(value & 0x7F)};
    while (value >>= 7) out.insert(out.begin(), uint8_t(0x80 | (value & 0x7F)));
    return out;
}

std::vector<uint8_t> encodeMidiFile(const std::vector<MidiTrack>& tracks) {
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    appendBigEndian(file, uint32_t(tracks.size()), 2);
    appendBigEndian(file, ticksPerQuarter, 2);
    for (const MidiTrack& track : tracks) {
        std::vector<uint8_t> chunk = encodeTrack(track);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

bool writeMidiFile(const std::string& path, const std::vector<MidiTrack>& tracks) {
    std::vector<uint8_t> bytes = encodeMidiFile(tracks);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool whole = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && whole;
}

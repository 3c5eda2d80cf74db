// The MIDI file writer, read back by the tests' own reader.
#include <gtest/gtest.h>

#include "midi_file.h"
#include "midi_reading.h"

TEST(MidiFileWriting, VariableLengthQuantities) {
    EXPECT_EQ(variableLength(0), (std::vector<uint8_t>{0x00}));
    EXPECT_EQ(variableLength(127), (std::vector<uint8_t>{0x7F}));
    EXPECT_EQ(variableLength(128), (std::vector<uint8_t>{0x81, 0x00}));
    EXPECT_EQ(variableLength(0x3FFF), (std::vector<uint8_t>{0xFF, 0x7F}));
    EXPECT_EQ(variableLength(0x4000), (std::vector<uint8_t>{0x81, 0x80, 0x00}));
    EXPECT_EQ(variableLength(0x0FFFFFFF), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(MidiFileWriting, FormatOneWithTempoProgramsAndNotesReadsBack) {
    std::vector<MidiTrack> tracks(3);
    addTempo(tracks[0], 0, 100.0);
    addTimeSignature(tracks[0], 0, 3, 4);
    addProgram(tracks[1], 0, 0, 73);
    for (int i = 0; i < 200; i++) addNote(tracks[1], uint32_t(i) * 240, 200, 0, 60 + i % 12, 40 + i % 80);
    addNote(tracks[2], 0, 100, drumChannel, 42, 50);
    tracks[2].endTick = 200 * 240;
    std::vector<uint8_t> bytes = encodeMidiFile(tracks);
    MidiSummary summary = summarizeMidi(bytes);
    ASSERT_EQ(summary.problem, "");
    EXPECT_EQ(summary.format, 1);
    EXPECT_EQ(summary.tracks, 3);
    EXPECT_EQ(summary.division, ticksPerQuarter);
    EXPECT_EQ(summary.programs[0], 73);
    EXPECT_EQ(summary.notesByChannel[0], 200);
    EXPECT_EQ(summary.drumKeys, (std::set<int>{42}));
    EXPECT_EQ(summary.hangingNotes, 0);
    EXPECT_EQ(summary.endTick, 48000u);
    EXPECT_NEAR(summary.seconds, 100 * 0.6, 1e-6);  // 100 quarters at 100 a minute
    EXPECT_EQ(summary.highestVelocity, 119);
}

TEST(MidiFileWriting, RunningStatusLeavesOutRepeatedStatusBytes) {
    std::vector<MidiTrack> chord(1);
    for (int key : {60, 64, 67}) addNote(chord[0], 0, 480, 0, key, 64);
    std::vector<uint8_t> bytes = encodeMidiFile(chord);
    // Header 14, track header 8, then three note-ons sharing one status byte
    // (delta, status, key, velocity; then delta, key, velocity twice), three
    // note-offs the same way after a two-byte delta, the end-of-track marker.
    EXPECT_EQ(bytes.size(), 14u + 8u + (4 + 3 + 3) + (5 + 3 + 3) + 4u);
    EXPECT_EQ(summarizeMidi(bytes).notesByChannel[0], 3);
}

TEST(MidiFileWriting, ARepeatedKeyIsReleasedBeforeItIsStruckAgain) {
    std::vector<MidiTrack> track(1);
    addNote(track[0], 480, 480, 0, 60, 64);
    addNote(track[0], 0, 480, 0, 60, 64);  // ends exactly where the other starts
    std::vector<uint8_t> bytes = encodeMidiFile(track);
    const std::vector<uint8_t> expected = {0x00, 0x90, 60, 64, 0x83, 0x60, 0x80, 60, 64,
                                           0x00, 0x90, 60, 64, 0x83, 0x60, 0x80, 60, 64};
    ASSERT_GE(bytes.size(), 22u + expected.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 22, bytes.begin() + 22 + long(expected.size())), expected);
    EXPECT_EQ(summarizeMidi(bytes).hangingNotes, 0);
}

TEST(MidiFileWriting, TempoIsMicrosecondsPerQuarter) {
    std::vector<MidiTrack> track(1);
    addTempo(track[0], 0, 100.0);
    std::vector<uint8_t> bytes = encodeMidiFile(track);
    const std::vector<uint8_t> tempo = {0x00, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0};  // 600,000
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 22, bytes.begin() + 29), tempo);
}

// The ten tunes as the build wrote them into the game folder.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>

#include "midi_reading.h"
#include "patch_index.h"

namespace {

std::string tunePath(int number) { return std::string(GAME_FOLDER) + "/music/" + std::to_string(number) + ".mid"; }

class GeneratedTunes : public ::testing::Test {
protected:
    static void SetUpTestSuite() { install_allegro(SYSTEM_NONE, &errno, atexit); }
};

}  // namespace

TEST_F(GeneratedTunes, EveryTuneLoadsInTheLibrary) {
    for (int number = 1; number <= 10; number++) {
        MIDI* tune = load_midi(tunePath(number).c_str());
        EXPECT_NE(tune, nullptr) << tunePath(number);
        if (tune) destroy_midi(tune);
    }
}

TEST_F(GeneratedTunes, EveryTunePlaysAtLeast45SecondsBeforeItLoops) {
    for (int number = 1; number <= 10; number++) {
        MidiSummary tune = summarizeMidi(readFileBytes(tunePath(number)));
        ASSERT_EQ(tune.problem, "") << number;
        EXPECT_EQ(tune.format, 1);
        EXPECT_EQ(tune.tempoEvents, 1) << number;
        EXPECT_GE(tune.seconds, 45.0) << number;
        EXPECT_LE(tune.seconds, 120.0) << number;
    }
}

TEST_F(GeneratedTunes, EveryTuneHasDrumsAndAtLeastTwoOtherInstruments) {
    for (int number = 1; number <= 10; number++) {
        MidiSummary tune = summarizeMidi(readFileBytes(tunePath(number)));
        EXPECT_GT(tune.notesByChannel[9], 0) << number;
        int melodic = 0;
        for (const auto& [channel, notes] : tune.notesByChannel) {
            if (channel != 9 && notes > 0) {
                melodic++;
                EXPECT_EQ(tune.programs.count(channel), 1u) << "tune " << number << " channel " << channel;
            }
        }
        EXPECT_GE(melodic, 2) << number;
    }
}

TEST_F(GeneratedTunes, EveryNoteIsReleasedBeforeTheLoopAndPlayedAtAHumanTouch) {
    for (int number = 1; number <= 10; number++) {
        MidiSummary tune = summarizeMidi(readFileBytes(tunePath(number)));
        EXPECT_EQ(tune.hangingNotes, 0) << number;
        EXPECT_LE(uint32_t(tune.lastRelease), tune.endTick) << number;
        // Neither a whisper nor a hammer, and not every note alike.
        EXPECT_GE(tune.lowestVelocity, 15) << number;
        EXPECT_LE(tune.highestVelocity, 120) << number;
        EXPECT_GE(tune.highestVelocity - tune.lowestVelocity, 12) << number;
    }
}

// DIGMID would play a stand-in for a program freepats lacks; the tunes ask
// only for instruments that have a patch of their own.
TEST_F(GeneratedTunes, EveryInstrumentHasItsOwnFreepatsPatch) {
    PatchSet found = scanPatchFolder(FREEPATS_FOLDER);
    for (int number = 1; number <= 10; number++) {
        MidiSummary tune = summarizeMidi(readFileBytes(tunePath(number)));
        for (const auto& [channel, program] : tune.programs) {
            EXPECT_EQ(found.melodic.count(program), 1u) << "tune " << number << " program " << program;
        }
        for (int key : tune.drumKeys) EXPECT_EQ(found.drums.count(key), 1u) << "tune " << number << " drum " << key;
    }
}

TEST_F(GeneratedTunes, TunesDifferInTempoOrInstruments) {
    std::set<std::pair<double, std::set<int>>> seen;
    std::set<int> everyProgram;
    for (int number = 1; number <= 10; number++) {
        MidiSummary tune = summarizeMidi(readFileBytes(tunePath(number)));
        std::set<int> programs;
        for (const auto& entry : tune.programs) programs.insert(entry.second);
        everyProgram.insert(programs.begin(), programs.end());
        EXPECT_TRUE(seen.insert({tune.seconds, programs}).second) << number;
    }
    EXPECT_GE(everyProgram.size(), 15u);
}

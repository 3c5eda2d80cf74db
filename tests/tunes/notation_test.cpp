// The tune notation: what a written bar becomes, and the mistakes it refuses.
#include <gtest/gtest.h>

#include <string>

#include "score.h"

namespace {

const std::string heading =
    "title Test\ntempo 120\nmeter 3/4\n"
    "part tune melody program 73 velocity 70 legato 100\n"
    "part bass bass program 32 floor e1 legato 100\n"
    "part drums drums velocity 60\n";

RenderedTune read(const std::string& body) { return readTune(heading + body, "test.tune"); }

std::string errorOf(const std::string& body) {
    try {
        read(body);
    } catch (const TuneError& error) {
        return error.what();
    }
    return "";
}

const RenderedPart& part(const RenderedTune& tune, const std::string& name) {
    for (const RenderedPart& p : tune.parts) {
        if (p.setup.name == name) return p;
    }
    throw std::runtime_error("no part " + name);
}

}  // namespace

TEST(TuneNotation, PitchesLengthsAndRestsLandWhereWritten) {
    RenderedTune tune = read("section a\n    chords C | C\n    tune C4q F#4e. Bb3s rq | B3h. \nform a\n");
    const auto& notes = part(tune, "tune").notes;
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0].key, 60);
    EXPECT_EQ(notes[0].length, 480u);
    EXPECT_EQ(notes[1].key, 66);
    EXPECT_EQ(notes[1].tick, 480u);
    EXPECT_EQ(notes[1].length, 360u);
    EXPECT_EQ(notes[2].key, 58);
    EXPECT_EQ(notes[3].key, 59);
    EXPECT_EQ(notes[3].tick, 1440u);  // after the rest, on the next bar line
    EXPECT_EQ(tune.lengthTicks, 2880u);
    EXPECT_DOUBLE_EQ(tuneSeconds(tune), 3.0);
}

TEST(TuneNotation, TiedNotesSoundOnceAcrossTheBarLine) {
    RenderedTune tune = read("section a\n    chords C | C\n    tune rh C5q~ | C5h rq\nform a\n");
    const auto& notes = part(tune, "tune").notes;
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].tick, 960u);
    EXPECT_EQ(notes[0].length, 3u * 480u);
    EXPECT_NE(errorOf("section a\n    chords C\n    tune C5h~ D5q\nform a\n"), "");
}

TEST(TuneNotation, MiscountedBarsAreRefusedWithTheirLine) {
    std::string error = errorOf("section a\n    chords C | C\n    tune C5h. |\n    tune C5h D5h\nform a\n");
    EXPECT_NE(error.find("test.tune:10:"), std::string::npos) << error;
    EXPECT_NE(error.find("bar 2"), std::string::npos) << error;
    EXPECT_NE(errorOf("section a\n    chords C | C\n    tune C5h.\nform a\n"), "");  // one bar short
    EXPECT_NE(errorOf("section a\n    chords C\n    drums kick x...x...\nform a\n"), "");
}

TEST(TuneNotation, UnknownNamesAreRefused) {
    EXPECT_NE(errorOf("section a\n    chords Cwhatever\nform a\n"), "");
    EXPECT_NE(errorOf("section a\n    chords C\n    flute C5h.\nform a\n"), "");
    EXPECT_NE(errorOf("section a\n    chords C\n    drums gong x...........\nform a\n"), "");
    EXPECT_NE(errorOf("section a\n    chords C\n    tune @nothing\nform a\n"), "");
    EXPECT_NE(errorOf("section a\n    chords C\nform b\n"), "");
    EXPECT_NE(errorOf("section a\n    chords C\n    tune H5h.\nform a\n"), "");
}

TEST(TuneNotation, BassFollowsTheChordsAndTheirSlashBass) {
    RenderedTune tune = read("section a\n    chords C | Am | C/E:2 G7:1\n    bass 1h 5,q\nform a\n");
    const auto& notes = part(tune, "bass").notes;
    ASSERT_EQ(notes.size(), 6u);
    EXPECT_EQ(notes[0].key, 36);  // C2: the root in the octave from E1
    EXPECT_EQ(notes[1].key, 31);  // G1, the fifth below
    EXPECT_EQ(notes[2].key, 33);  // A1
    EXPECT_EQ(notes[3].key, 28);  // E1
    EXPECT_EQ(notes[4].key, 28);  // the E under C/E
    EXPECT_EQ(notes[5].key, 26);  // by the third beat the chord is G7: its fifth below, D1
    EXPECT_EQ(notes[5].tick, 2u * 1440u + 960u);
}

TEST(TuneNotation, ChordPatternsVoiceInsideTheirWindowAndStopAtTheChange) {
    RenderedTune tune = readTune(
        "title T\ntempo 90\nmeter 4/4\npart keys chords program 4 floor e3 legato 100\n"
        "section a\n    chords G7 C\n    keys cw\nform a\n",
        "test.tune");
    const auto& notes = part(tune, "keys").notes;
    ASSERT_EQ(notes.size(), 4u);  // the whole note is cut at the change to C, which gets no attack
    for (const Note& note : notes) {
        EXPECT_GE(note.key, 52);
        EXPECT_LT(note.key, 64);
        EXPECT_EQ(note.length, 960u);
    }
}

TEST(TuneNotation, TransposeMovesMelodyAndChordsButNotDrums) {
    RenderedTune tune = readTune(heading + "transpose 2\nsection a\n    chords C\n    tune C4h.\n"
                                           "    bass 1h.\n    drums kick x...........\nform a\n",
                                 "test.tune");
    EXPECT_EQ(part(tune, "tune").notes[0].key, 62);
    EXPECT_EQ(part(tune, "bass").notes[0].key, 38);
    EXPECT_EQ(part(tune, "drums").notes[0].key, 36);
}

TEST(TuneNotation, DrumsGoToChannelTenOnTheSixteenthGrid) {
    RenderedTune tune = read("section a\n    chords C\n    drums hat x.o.X.......\nform a\n");
    const RenderedPart& drums = part(tune, "drums");
    EXPECT_EQ(drums.setup.channel, 9);
    ASSERT_EQ(drums.notes.size(), 3u);
    EXPECT_EQ(drums.notes[1].tick, 240u);
    EXPECT_EQ(drums.notes[2].tick, 480u);
    EXPECT_LT(drums.notes[1].velocity, drums.notes[0].velocity);
    EXPECT_GT(drums.notes[2].velocity, drums.notes[0].velocity);
    EXPECT_NE(part(tune, "tune").setup.channel, 9);
    EXPECT_NE(part(tune, "bass").setup.channel, part(tune, "tune").setup.channel);
}

TEST(TuneNotation, VelocitiesStayPlayableUnderAnyLevel) {
    for (const char* level : {"level 90", "level -90"}) {
        RenderedTune tune = read(std::string("section a ") + level +
                                 "\n    chords C\n    tune >C5e C5e C5e C5e <C5e C5e\nform a\n");
        for (const Note& note : part(tune, "tune").notes) {
            EXPECT_GE(note.velocity, 1);
            EXPECT_LE(note.velocity, 127);
        }
    }
}

TEST(TuneNotation, FormRepeatsSectionsAndPhrasesShift) {
    RenderedTune tune = read("phrase p\n    C4h.\nsection a\n    chords C\n    tune @p+12\n"
                             "section b\n    chords F | G\n    tune @p | @p-1\nform a b a\n");
    const auto& notes = part(tune, "tune").notes;
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0].key, 72);
    EXPECT_EQ(notes[1].key, 60);
    EXPECT_EQ(notes[2].key, 59);
    EXPECT_EQ(notes[3].key, 72);
    EXPECT_EQ(notes[3].tick, 3u * 1440u);
    EXPECT_EQ(tune.lengthTicks, 4u * 1440u);
}

TEST(TuneNotation, ChordSymbols) {
    std::vector<int> keys;
    ASSERT_TRUE(chordIntervals("Am7", keys));
    EXPECT_EQ(keys, (std::vector<int>{0, 3, 7, 10}));
    ASSERT_TRUE(chordIntervals("F#maj7/C#", keys));
    EXPECT_EQ(keys, (std::vector<int>{0, 4, 7, 11}));
    ASSERT_TRUE(chordIntervals("Bb7sus4", keys));
    EXPECT_EQ(keys, (std::vector<int>{0, 5, 7, 10}));
    EXPECT_FALSE(chordIntervals("Cmaj13", keys));
    EXPECT_FALSE(chordIntervals("C/X", keys));
    EXPECT_EQ(pitchKey("c4"), 60);
    EXPECT_EQ(pitchKey("A0"), 21);
    EXPECT_EQ(pitchKey("b"), -1);
    EXPECT_EQ(drumKey("rim"), 37);
    EXPECT_EQ(drumKey("hat"), 42);
}

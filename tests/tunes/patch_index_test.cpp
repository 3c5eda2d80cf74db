// The DIGMID patch index and allegro.cfg the build writes, and the choice of
// stand-ins for the programs freepats lacks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <unistd.h>

#include "midi_reading.h"
#include "patch_index.h"

namespace fs = std::filesystem;

namespace {

struct IndexLines {
    std::map<int, std::string> melodic;
    std::map<int, std::string> drums;
    int badLines = 0;
};

IndexLines readIndex(const std::string& path) {
    IndexLines index;
    std::ifstream in(path);
    std::string line;
    bool inDrums = false;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        if (first == "129" && second == "begin_multipatch") {
            inDrums = true;
        } else if (first == "end_multipatch") {
            inDrums = false;
        } else if (!first.empty() && !second.empty()) {
            int number = std::stoi(first);
            (inDrums ? index.drums : index.melodic)[number] = second;
        } else if (!line.empty()) {
            index.badLines++;
        }
    }
    return index;
}

const std::string indexPath = std::string(GAME_FOLDER) + "/digmid.cfg";

}  // namespace

TEST(PatchIndex, NamesOnlyPatchFilesThatExist) {
    IndexLines index = readIndex(indexPath);
    EXPECT_EQ(index.badLines, 0);
    for (const auto& entries : {index.melodic, index.drums}) {
        for (const auto& [number, file] : entries) {
            EXPECT_FALSE(fs::path(file).has_extension() && fs::path(file).extension() == ".pat") << file;
            EXPECT_TRUE(fs::is_regular_file(file + ".pat")) << number << " " << file;
        }
    }
}

TEST(PatchIndex, CoversEveryProgramAndEveryDrumTheTunesStrike) {
    IndexLines index = readIndex(indexPath);
    EXPECT_EQ(index.melodic.size(), 128u);
    EXPECT_EQ(index.melodic.begin()->first, 1);  // programs are counted from 1 in the index
    EXPECT_EQ(index.melodic.rbegin()->first, 128);
    for (int key = firstDrumKey; key <= lastDrumKey; key++) EXPECT_EQ(index.drums.count(key), 1u) << key;
    for (int number = 1; number <= 10; number++) {
        MidiSummary tune = summarizeMidi(readFileBytes(std::string(GAME_FOLDER) + "/music/" +
                                                       std::to_string(number) + ".mid"));
        for (int key : tune.drumKeys) EXPECT_EQ(index.drums.count(key), 1u) << "tune " << number << " key " << key;
    }
    // Programs freepats has keep their own patch: 73 is the flute.
    EXPECT_NE(index.melodic[74].find("073_"), std::string::npos);
}

TEST(PatchIndex, AllegroCfgPointsAtTheIndexFromTheGamesOwnFolder) {
    std::ifstream in(std::string(GAME_FOLDER) + "/allegro.cfg");
    std::string line, section, patches;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') section = line;
        if (section == "[sound]" && line.rfind("patches = ", 0) == 0) patches = line.substr(10);
    }
    // Relative, so that an installed or unpacked game, which plays in its
    // data folder, finds it wherever that folder is.
    EXPECT_EQ(patches.rfind("./", 0), 0u) << patches;
    EXPECT_EQ(fs::weakly_canonical(fs::path(GAME_FOLDER) / patches), fs::weakly_canonical(indexPath));
}

TEST(PatchStandIns, AMissingProgramBorrowsFromItsOwnFamily) {
    std::map<int, std::string> present = {{0, "piano"}, {13, "xylophone"}, {8, "celesta"}, {24, "guitar"},
                                          {27, "clean"}, {30, "distortion"}, {48, "strings"}, {53, "oohs"}};
    EXPECT_EQ(standInProgram(0, present), 0);
    EXPECT_EQ(standInProgram(12, present), 13);  // marimba: the xylophone
    EXPECT_EQ(standInProgram(11, present), 8);   // vibraphone: the celesta's soft bell
    EXPECT_EQ(standInProgram(15, present), 13);  // the nearest, never a piano across the family line
    EXPECT_EQ(standInProgram(31, present), 27);  // harmonics: a clean guitar, not the distorted one
    EXPECT_EQ(standInProgram(52, present), 53);  // choir: voice oohs
    EXPECT_EQ(standInProgram(55, present), 48);
    EXPECT_EQ(standInProgram(7, present), 0);
    EXPECT_EQ(standInProgram(40, present), -1);  // no strings family patch at all
}

TEST(PatchStandIns, ScanningAndCompletingAPatchFolder) {
    fs::path folder = fs::temp_directory_path() / ("boxyard_patches_" + std::to_string(::getpid()));
    fs::create_directories(folder / "Tone_000");
    fs::create_directories(folder / "Drum_000");
    for (int family = 0; family < 16; family++) {
        std::ofstream(folder / "Tone_000" / (std::to_string(1000 + family * 8).substr(1) + "_Some.pat"));
    }
    std::ofstream(folder / "Tone_000" / "073_Flute.txt");  // notes beside patches are not patches
    std::ofstream(folder / "Tone_000" / "Flute.pat");
    std::ofstream(folder / "Drum_000" / "036_Kick.pat");
    std::ofstream(folder / "Drum_000" / "042_Hat.pat");

    PatchSet found = scanPatchFolder(folder.string());
    EXPECT_EQ(found.melodic.size(), 16u);
    EXPECT_EQ(found.melodic.count(73), 0u);
    ASSERT_EQ(found.drums.size(), 2u);
    EXPECT_EQ(found.drums[36], (folder / "Drum_000" / "036_Kick").string());

    PatchSet complete = completePatchSet(found);
    EXPECT_EQ(complete.melodic.size(), 128u);
    EXPECT_EQ(complete.melodic[7], found.melodic[0]);
    EXPECT_EQ(complete.melodic[127], found.melodic[120]);
    EXPECT_EQ(complete.drums[35], found.drums[36]);
    EXPECT_EQ(complete.drums[38], found.drums[36]);  // the nearest key
    EXPECT_EQ(complete.drums[40], found.drums[42]);
    EXPECT_EQ(complete.drums[81], found.drums[42]);
    EXPECT_EQ(complete.drums.size(), size_t(lastDrumKey - firstDrumKey + 1));

    std::string text = patchIndexText(complete);
    EXPECT_NE(text.find("\n129 begin_multipatch\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 15), "end_multipatch\n");
    fs::remove_all(folder);
}

// Fresh chains from the generator: proven and correctly linked, the same for
// the same seed and other for another; and the rules that keep a made room
// looking built.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "files/collection_file.h"
#include "levels/generate.h"
#include "levels/level_check.h"
#include "levels/notation.h"
#include "levels/yard_maker.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

GenerateRequest smallRequest(uint32_t seed) {
    GenerateRequest request;
    request.count = 3;
    request.fewestPushes = 4;
    request.mostPushes = 10;
    request.seed = seed;
    return request;
}

// The pictures of a generated folder's levels.txt, one for each level, row
// by row, comments and titles left out.
std::vector<std::vector<std::string>> picturesOf(const fs::path& folder) {
    std::istringstream in(readFile(folder / "levels.txt"));
    Collection collection = listCollection(in);
    std::vector<std::vector<std::string>> pictures;
    for (int i = 0; i < int(collection.levels.size()); i++) {
        pictures.push_back(collectionLevel(in, collection, i).picture.lines);
    }
    return pictures;
}

// The boards of a generated folder's levels.txt, one after another.
std::string boardsOf(const fs::path& folder) {
    std::string boards;
    for (const std::vector<std::string>& picture : picturesOf(folder)) {
        for (const std::string& row : picture) boards += row + '\n';
    }
    return boards;
}

// A room drawn row by row: '#' wall, '.' target, '$' box, '@' player, any
// other character floor.
Yard yardOf(const std::vector<std::string>& rows) {
    Yard yard;
    yard.room.reset(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < int(rows.size()); y++) {
        for (int x = 0; x < int(rows[y].size()); x++) {
            int cell = y * yard.room.width + x;
            char c = rows[y][x];
            yard.room.wall[cell] = c == '#';
            if (c == '.') yard.targets.push_back(cell);
            if (c == '$') yard.boxes.push_back(cell);
            if (c == '@') yard.player = cell;
        }
    }
    return yard;
}

bool hasFault(const Yard& yard, const std::string& fault) {
    for (const std::string& text : yardFaults(yard)) {
        if (text == fault) return true;
    }
    return false;
}

}  // namespace

using Generate = InTempFolder;

TEST_F(Generate, MakesAProvenChainInTheRangeOfPushes) {
    std::ostringstream made;
    ASSERT_EQ(generateChain(smallRequest(7), "fresh", made), 0) << made.str();
    std::ostringstream out;
    ASSERT_EQ(checkChain("fresh\\level1.kzm", SearchLimits(), out), 0) << out.str();
    EXPECT_NE(out.str().find("3 levels checked: every one readable"), std::string::npos) << out.str();
    std::smatch match;
    std::string report = out.str();
    int levels = 0;
    for (std::regex won("won in (\\d+) pushes \\(proven fewest\\)"); std::regex_search(report, match, won);
         report = match.suffix()) {
        int pushes = std::stoi(match[1]);
        EXPECT_GE(pushes, 4);
        EXPECT_LE(pushes, 10);
        levels++;
    }
    EXPECT_EQ(levels, 3) << out.str();
    EXPECT_FALSE(fs::exists("fresh/level4.kzm"));

    // A folder no level name can hold is refused before any work.
    EXPECT_EQ(generateChain(smallRequest(7), "my levels", made), 1);
    EXPECT_FALSE(fs::exists("my levels"));
}

TEST_F(Generate, TheSameSeedMakesTheSameFilesAndAnotherSeedOtherLevels) {
    std::ostringstream made;
    ASSERT_EQ(generateChain(smallRequest(7), "fresh", made), 0) << made.str();
    fs::rename("fresh", "first");
    ASSERT_EQ(generateChain(smallRequest(7), "fresh", made), 0) << made.str();
    for (const char* name : {"levels.txt", "level1.kzm", "level2.kzm", "level3.kzm"}) {
        EXPECT_EQ(readFile(fs::path("first") / name), readFile(fs::path("fresh") / name)) << name;
    }
    ASSERT_EQ(generateChain(smallRequest(8), "other", made), 0) << made.str();
    std::string first = boardsOf("fresh"), other = boardsOf("other");
    EXPECT_NE(first, other);
    // No two levels of a chain alike.
    std::vector<std::vector<std::string>> pictures = picturesOf("fresh");
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_NE(sameShapeKey(pictures[0]), sameShapeKey(pictures[1]));
    EXPECT_NE(sameShapeKey(pictures[0]), sameShapeKey(pictures[2]));
    EXPECT_NE(sameShapeKey(pictures[1]), sameShapeKey(pictures[2]));
}

TEST(YardFaults, NamesWhatKeepsARoomFromLookingBuilt) {
    EXPECT_TRUE(hasFault(yardOf({"#######",
                                 "#  @  #",
                                 "# $$  #",
                                 "#  .. #",
                                 "#### ##",
                                 "#######"}),
                         "a dead end"));
    EXPECT_TRUE(hasFault(yardOf({"#########",
                                 "#@    # #",
                                 "# $$  # #",
                                 "#  .. ###",
                                 "#########"}),
                         "floor the player cannot reach"));
    // The room's top corners: no box can stand there or be pushed from
    // there, and the room holds together without them.
    EXPECT_TRUE(hasFault(yardOf({"#######",
                                 "#  @  #",
                                 "# $$  #",
                                 "#  .. #",
                                 "#######"}),
                         "floor that serves nothing"));
    // The middle of a thick block of wall touches no floor, so it is not
    // drawn, and the game would show it as floor no one can reach.
    EXPECT_TRUE(hasFault(yardOf({"#########",
                                 "#   @   #",
                                 "# ##### #",
                                 "# ##### #",
                                 "# ##### #",
                                 "#  $.   #",
                                 "#########"}),
                         "a cell shut in by walls"));
}

TEST(YardFaults, TidyingLeavesOnlyFloorThatServes) {
    Yard yard = yardOf({"##########",
                        "#  @  ####",
                        "# $$     #",
                        "#  .. ####",
                        "##########"});
    tidyRoom(yard.room, yard.targets);
    const Room& room = yard.room;
    for (int x : {6, 7, 8}) EXPECT_EQ(room.wall[2 * room.width + x], 1) << "the dead-end corridor, cell " << x;
    EXPECT_EQ(room.wall[1 * room.width + 1], 1) << "a corner serving nothing";
    EXPECT_EQ(room.wall[2 * room.width + 1], 0) << "the player pushes from here";
    EXPECT_EQ(room.floorCount(), 13);
    EXPECT_TRUE(yardFaults(yard).empty()) << yardFaults(yard)[0];
}

TEST(PullingAway, TakesTheBoxesAsFarAsAskedAndNoFurther) {
    Yard yard = yardOf({"###########",
                        "#.        #",
                        "#.        #",
                        "###########"});
    Dice dice(3);
    pullAway(yard, 5000, 9, dice);
    // Each box alone needs as many pushes as it stands cells from the
    // targets' column; together they stand exactly 9 away.
    ASSERT_EQ(yard.boxes.size(), 2u);
    int spread = 0;
    for (int box : yard.boxes) spread += box % yard.room.width - 1;
    EXPECT_EQ(spread, 9);
    EXPECT_TRUE(yard.room.isFloor(yard.player));
    for (int box : yard.boxes) EXPECT_NE(box, yard.player);
}

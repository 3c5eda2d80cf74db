// Fitting the levels of collections in the text notation into the game's grid,
// every reason a level is left out, and importing a collection as a chain.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

#include "files/collection_file.h"
#include "files/level_file.h"
#include "files/paths.h"
#include "levels/collection_files.h"
#include "levels/notation.h"
#include "rules/board.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// The levels of a collection, each read whole.
std::vector<CollectionLevel> collect(const std::string& text) {
    std::istringstream in(text);
    Collection collection = listCollection(in);
    std::vector<CollectionLevel> levels;
    for (int i = 0; i < int(collection.levels.size()); i++) levels.push_back(collectionLevel(in, collection, i));
    return levels;
}

bool has(const std::vector<GridPos>& cells, int x, int y) {
    return std::any_of(cells.begin(), cells.end(), [&](const GridPos& c) { return c.x == x && c.y == y; });
}

// The reason a single-level collection is left out, by the reader or by the
// grid, or "" when it fits.
std::string reasonToSkip(const std::string& text) {
    std::vector<CollectionLevel> levels = collect(text);
    EXPECT_EQ(levels.size(), 1u) << text;
    if (levels.empty()) return "no level";
    if (!levels[0].refusal.empty()) return levels[0].refusal;
    PlacedLevel placed;
    return placeLevel(levels[0].picture.lines, placed);
}

}  // namespace

TEST(GridFitting, EverySymbolLandsInItsSlotList) {
    // Walls, floor, box, target, box on target; then player on target.
    std::vector<CollectionLevel> levels = collect(
        "#######\n"
        "#@$.* #\n"
        "#######\n"
        "\n"
        "#####\n"
        "#+$ #\n"
        "#####\n");
    ASSERT_EQ(levels.size(), 2u);
    PlacedLevel first;
    ASSERT_EQ(placeLevel(levels[0].picture.lines, first), "");
    // 7 x 3 centred in 20 x 13: its corner lands at (6, 5).
    EXPECT_EQ(first.walls.size(), 16u);
    EXPECT_TRUE(has(first.walls, 6, 5));
    EXPECT_EQ(first.player.x, 7);
    EXPECT_EQ(first.player.y, 6);
    ASSERT_EQ(first.boxes.size(), 2u);
    EXPECT_TRUE(has(first.boxes, 8, 6));
    EXPECT_TRUE(has(first.boxes, 10, 6)) << "a box on a target is a box";
    ASSERT_EQ(first.targets.size(), 2u);
    EXPECT_TRUE(has(first.targets, 9, 6));
    EXPECT_TRUE(has(first.targets, 10, 6)) << "and a target";
    EXPECT_FALSE(has(first.walls, 11, 6)) << "the blank is floor";

    PlacedLevel second;
    ASSERT_EQ(placeLevel(levels[1].picture.lines, second), "");
    ASSERT_EQ(second.targets.size(), 1u);
    EXPECT_EQ(second.targets[0].x, second.player.x) << "the player stands on a target";
    EXPECT_EQ(second.targets[0].y, second.player.y);
}

TEST(GridFitting, LevelsThatDoNotFitAreRefusedWithTheReason) {
    std::string wide = std::string(21, '#') + "\n#@$." + std::string(16, ' ') + "#\n" + std::string(21, '#') + "\n";
    EXPECT_NE(reasonToSkip(wide).find("21 columns wide"), std::string::npos);

    std::string tall = "#####\n#@$.#\n";
    for (int i = 0; i < 11; i++) tall += "#   #\n";
    tall += "#####\n";
    EXPECT_NE(reasonToSkip(tall).find("14 rows tall"), std::string::npos);

    EXPECT_NE(reasonToSkip("#####\n# $.#\n#####\n").find("no player"), std::string::npos);
    EXPECT_NE(reasonToSkip("#####\n#@$+#\n#####\n").find("2 players"), std::string::npos);

    std::string boxes = "20#\n#@" + std::string(17, ' ') + "#\n";
    for (int i = 0; i < 6; i++) boxes += "#" + std::string(18, '$') + "#\n";
    boxes += "#" + std::string(18, '.') + "#\n20#\n";
    EXPECT_NE(reasonToSkip(boxes).find("108 boxes"), std::string::npos);

    std::string targets = "20#\n#@$" + std::string(16, ' ') + "#\n";
    for (int i = 0; i < 6; i++) targets += "#" + std::string(18, '.') + "#\n";
    targets += "20#\n";
    EXPECT_NE(reasonToSkip(targets).find("108 targets"), std::string::npos);

    // More walls than the grid has cells can only come with a level too big.
    std::string walls;
    for (int i = 0; i < 13; i++) walls += std::string(21, '#') + "\n";
    walls += "#@$." + std::string(17, '#') + "\n";
    EXPECT_NE(reasonToSkip(walls).find("291 walls"), std::string::npos);

    std::string fullWidth = std::string(20, '#') + "\n.@$" + std::string(16, ' ') + "#\n" + std::string(20, '#') + "\n";
    EXPECT_NE(reasonToSkip(fullWidth).find("column 0"), std::string::npos);
}

TEST(GridFitting, CentringKeepsTargetsOutOfColumnZero) {
    std::string rows = std::string(19, '#') + "\n.@$" + std::string(15, ' ') + "#\n" + std::string(19, '#') + "\n";
    PlacedLevel placed;
    ASSERT_EQ(placeLevel(collect(rows)[0].picture.lines, placed), "");
    EXPECT_EQ(placed.targets[0].x, 1) << "19 columns would centre at column 0";
    EXPECT_EQ(placed.walls[0].x, 1);
}

TEST(GridFitting, ChainNamesUseTheGamesBackslash) {
    EXPECT_EQ(chainFileName("levels", 2), "levels\\level2.kzm");
    EXPECT_EQ(chainFileName("build/game/levels/", 10), "build\\game\\levels\\level10.kzm");
    EXPECT_EQ(chainFileName("", 1), "level1.kzm");
}

using ImportCollection = InTempFolder;

TEST_F(ImportCollection, WritesAChainTheGameCanFollowAndSkipsWhatCannotBePlayed) {
    writeFile("collection.txt",
              "Title: One\n"
              "#####\n#@$.#\n#####\n"
              "\n"
              "Title: No player here\n"
              "#####\n# $.#\n#####\n"
              "\n"
              "########\n#@ $$..#\n########\n");
    std::ostringstream messages;
    EXPECT_EQ(importCollection("collection.txt", "levels", messages), 0);
    EXPECT_NE(messages.str().find("skipped level 2 \"No player here\" (line 7): no player"), std::string::npos)
        << messages.str();
    EXPECT_NE(messages.str().find("wrote 2 of 3 levels"), std::string::npos) << messages.str();
    ASSERT_TRUE(fs::exists("levels/level1.kzm"));
    ASSERT_TRUE(fs::exists("levels/level2.kzm"));
    EXPECT_FALSE(fs::exists("levels/level3.kzm"));

    std::ifstream first("levels/level1.kzm");
    readLevel(first);
    EXPECT_EQ(board.layout.currentLevelFile, "levels\\level1.kzm");
    EXPECT_EQ(board.layout.nextLevelFile, "levels\\level2.kzm");
    EXPECT_EQ(board.boxesToPlace, 1);
    EXPECT_EQ(board.walls[12].x, -1) << "unused wall slots are -1 -1";
    EXPECT_EQ(board.boxes[1].y, -1);

    std::ifstream second("levels/level2.kzm");
    readLevel(second);
    EXPECT_EQ(board.layout.currentLevelFile, "levels\\level2.kzm");
    EXPECT_EQ(board.layout.nextLevelFile, "lastlevel");
    EXPECT_EQ(board.boxesToPlace, 2);
    for (const GridPos& t : board.targets) EXPECT_NE(t.x, 0);
}

TEST_F(ImportCollection, ACollectionWithNothingPlayableWritesNothing) {
    writeFile("collection.txt", "; only words\n");
    std::ostringstream messages;
    EXPECT_EQ(importCollection("collection.txt", "levels", messages), 1);
    EXPECT_FALSE(fs::exists("levels/level1.kzm"));
    EXPECT_EQ(importCollection("missing.txt", "levels", messages), 1);
}

using ChainFolder = InTempFolder;

TEST_F(ChainFolder, AChainImportedIntoARelativeFolderIsListedFromAnywhere) {
    writeFile("collection.txt", "#####\n#@$.#\n#####\n\n#####\n#.$@#\n#####\n\n#####\n#@*.$#\n######\n");
    std::ostringstream messages;
    ASSERT_EQ(importCollection("collection.txt", "mine", messages), 0) << messages.str();
    const fs::path mine = fs::absolute("mine");
    fs::create_directories("elsewhere");
    fs::current_path("elsewhere");
    // The files name "mine\level2.kzm", which from here is no file at all.
    ChainListing chain = listChain(mine.string());
    EXPECT_EQ(chain.problem, "");
    ASSERT_EQ(chain.levels.size(), 3u);
    EXPECT_EQ(chain.levels[2], (mine / "level3.kzm").string());

    EXPECT_EQ(collectionKind(mine.string()), CollectionKind::chainFolder);
    EXPECT_EQ(collectionKind("../collection.txt"), CollectionKind::notationFile);
    EXPECT_EQ(collectionKind((mine / "level1.kzm").string()), CollectionKind::none);
    EXPECT_EQ(collectionKind("."), CollectionKind::none) << "a folder without level1.kzm";
    EXPECT_EQ(collectionKind("missing.txt"), CollectionKind::none);
}

TEST_F(ChainFolder, AChainThatLoopsOrLosesItsNextLevelSaysWhere) {
    writeFile("collection.txt", "#####\n#@$.#\n#####\n\n#####\n#.$@#\n#####\n");
    std::ostringstream messages;
    ASSERT_EQ(importCollection("collection.txt", "levels", messages), 0) << messages.str();
    std::string second = readFile("levels/level2.kzm");
    writeFile("levels/level2.kzm", std::regex_replace(second, std::regex("lastlevel"), "levels\\level1.kzm"));
    ChainListing loop = listChain("levels");
    EXPECT_EQ(loop.levels.size(), 2u);
    EXPECT_NE(loop.problem.find("loops back"), std::string::npos) << loop.problem;

    writeFile("levels/level2.kzm", std::regex_replace(second, std::regex("lastlevel"), "levels\\gone.kzm"));
    ChainListing lost = listChain("levels");
    EXPECT_EQ(lost.levels.size(), 2u);
    EXPECT_NE(lost.problem.find("\"levels\\gone.kzm\" named in \"levels/level2.kzm\" cannot be opened"),
              std::string::npos)
        << lost.problem;
}

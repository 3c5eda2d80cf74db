// Export then import: the boards that come back are the boards that went out,
// for a small made-up collection and for the whole shipped chain.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <tuple>

#include "files/level_file.h"
#include "levels/collection_files.h"
#include "rules/board.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// Everything of a level that play depends on, slots sorted so the order in
// which a writer listed them does not matter.
struct BoardContents {
    std::vector<std::pair<int, int>> walls, boxes, targets;
    int playerX = 0, playerY = 0, boxesToPlace = 0;

    bool operator==(const BoardContents& other) const {
        return std::tie(walls, boxes, targets, playerX, playerY, boxesToPlace) ==
               std::tie(other.walls, other.boxes, other.targets, other.playerX, other.playerY, other.boxesToPlace);
    }
};

BoardContents contentsOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    EXPECT_TRUE(in.is_open()) << file;
    readLevel(in);
    BoardContents contents;
    for (const WallPos& w : board.walls) contents.walls.emplace_back(w.x, w.y);
    for (const GridPos& b : board.boxes) contents.boxes.emplace_back(b.x, b.y);
    for (const GridPos& t : board.targets) contents.targets.emplace_back(t.x, t.y);
    std::sort(contents.walls.begin(), contents.walls.end());
    std::sort(contents.boxes.begin(), contents.boxes.end());
    std::sort(contents.targets.begin(), contents.targets.end());
    contents.playerX = board.player.startX;
    contents.playerY = board.player.startY;
    contents.boxesToPlace = board.boxesToPlace;
    return contents;
}

int chainLength(const fs::path& folder) {
    int count = 0;
    while (fs::exists(folder / ("level" + std::to_string(count + 1) + ".kzm"))) count++;
    return count;
}

}  // namespace

using ExportImport = InTempFolder;

TEST_F(ExportImport, GivesBackTheSameBoards) {
    writeFile("collection.txt",
              "; a room with floor outside its walls, and an open one with an empty row\n"
              "  #####\n"
              "###   #\n"
              "#.@$  #\n"
              "### $.#\n"
              "#.##$ #\n"
              "# # . ##\n"
              "#$ *$$.#\n"
              "#   .  #\n"
              "########\n"
              "\n"
              "#|@$.|||  #\n"
              "\n"
              "4#|#+$#|#*$ #|#  .#|5#\n");
    std::ostringstream messages;
    ASSERT_EQ(importCollection("collection.txt", "levels", messages), 0) << messages.str();
    std::ostringstream text, lost;
    ASSERT_EQ(exportChain("levels\\level1.kzm", text, lost), 0) << lost.str();
    EXPECT_EQ(lost.str(), "") << "nothing the notation cannot carry";
    writeFile("exported.txt", text.str());
    ASSERT_EQ(importCollection("exported.txt", "again", messages), 0) << messages.str();
    ASSERT_EQ(chainLength("levels"), 3);
    ASSERT_EQ(chainLength("again"), 3);
    for (int i = 1; i <= 3; i++) {
        std::string name = "level" + std::to_string(i) + ".kzm";
        EXPECT_TRUE(contentsOf(fs::path("levels") / name) == contentsOf(fs::path("again") / name)) << name;
    }
}

TEST_F(ExportImport, TellsWhatTheNotationCannotCarry) {
    std::string text = "0 0 0 0 3 0 levels\\level1.kzm lastlevel 2 2 25 1\n";
    for (int i = 1; i < 260; i++) text += "-1 -1\n";
    text += "3 2 3 2\n";  // two boxes on one cell
    for (int i = 2; i < 100; i++) text += "-1 -1\n";
    text += "4 2\n";
    for (int i = 1; i < 100; i++) text += "-1 -1\n";
    writeFile("levels/level1.kzm", text);
    std::ostringstream out, lost;
    EXPECT_EQ(exportChain("levels/level1.kzm", out, lost), 0);
    EXPECT_NE(lost.str().find("off the grid"), std::string::npos) << lost.str();
    EXPECT_NE(lost.str().find("sharing a cell"), std::string::npos) << lost.str();
    EXPECT_NE(lost.str().find("boxesToPlace 3"), std::string::npos) << lost.str();
    EXPECT_EQ(out.str(), "; levels/level1.kzm\n@$.\n\n");
}

TEST_F(ExportImport, TheShippedChainSurvivesTheRoundTrip) {
    fs::current_path(SOURCE_FOLDER);
    std::ostringstream text, lost;
    ASSERT_EQ(exportChain("levels\\level1.kzm", text, lost), 0) << lost.str();
    EXPECT_EQ(lost.str(), "");
    fs::current_path(folder);
    writeFile("shipped.txt", text.str());
    std::ostringstream messages;
    ASSERT_EQ(importCollection("shipped.txt", "levels", messages), 0) << messages.str();
    int levels = chainLength(fs::path(SOURCE_FOLDER) / "levels");
    ASSERT_EQ(chainLength("levels"), levels);
    for (int i = 1; i <= levels; i++) {
        std::string name = "level" + std::to_string(i) + ".kzm";
        EXPECT_TRUE(contentsOf(fs::path(SOURCE_FOLDER) / "levels" / name) == contentsOf(fs::path("levels") / name))
            << name;
    }
}

TEST_F(ExportImport, AnAbsoluteFolderChainsFromAnywhereAndOneWithABlankIsRefused) {
    writeFile("collection.txt", "#####\n#@$.#\n#####\n\n#####\n#.$@#\n#####\n");
    const fs::path mine = fs::current_path() / "home" / "mine";
    std::ostringstream messages;
    ASSERT_EQ(importCollection("collection.txt", mine.string(), messages), 0) << messages.str();
    // The player plays it from the game's own folder, far from here.
    fs::create_directories("elsewhere");
    fs::current_path("elsewhere");
    std::ostringstream text, lost;
    EXPECT_EQ(exportChain(mine.string() + "\\level1.kzm", text, lost), 0) << lost.str();
    const std::string levels = text.str();
    EXPECT_EQ(std::count(levels.begin(), levels.end(), ';'), 2) << levels;
    fs::current_path("..");

    std::ostringstream refused;
    EXPECT_NE(importCollection("collection.txt", "my levels", refused), 0);
    EXPECT_NE(refused.str().find("blank"), std::string::npos) << refused.str();
    EXPECT_FALSE(fs::exists("my levels"));
}

// Reading level files: whole, short, malformed and oddly spaced.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "files/level_file.h"
#include "level_builder.h"
#include "rules/board.h"

namespace {

const char* room =
    "#####\n"
    "#@$.#\n"
    "#####";

void read(const std::string& text) {
    std::istringstream in(text);
    readLevel(in);
}

bool allSlotsFree() {
    for (const WallPos& w : board.walls)
        if (w.x != -1 || w.y != -1) return false;
    for (const GridPos& b : board.boxes)
        if (b.x != -1 || b.y != -1) return false;
    for (const GridPos& t : board.targets)
        if (t.x != -1 || t.y != -1) return false;
    return true;
}

}  // namespace

TEST(LevelFile, ReadsEveryPartOfAWholeLevel) {
    board.levelNumber = 5;
    board.stepsTaken = 40;
    board.timesPushed = 7;
    board.layout.floor[3] = 1;
    read("1 2 3 4 1 6\n" + levelText(room, "levels\\a.kzm", "levels\\b.kzm", 1).substr(12));
    EXPECT_EQ(board.unusedHeader[0], 1);
    EXPECT_EQ(board.unusedHeader[3], 4);
    EXPECT_EQ(board.unusedHeader[5], 6);
    EXPECT_EQ(board.boxesToPlace, 1);
    EXPECT_EQ(board.layout.currentLevelFile, "levels\\a.kzm");
    EXPECT_EQ(board.layout.nextLevelFile, "levels\\b.kzm");
    EXPECT_EQ(board.player.x, 2);
    EXPECT_EQ(board.player.y, 2);
    EXPECT_EQ(board.player.facing, 'd');
    EXPECT_EQ(board.walls[0].x, 1);
    EXPECT_EQ(board.walls[11].x, 5);  // the last wall of the bottom row
    EXPECT_EQ(board.walls[12].x, -1);
    EXPECT_EQ(board.boxes[0].x, 3);
    EXPECT_EQ(board.targets[0].x, 4);
    EXPECT_EQ(board.targets[1].x, -1);
    // Loading never touches the counters or the floor.
    EXPECT_EQ(board.levelNumber, 5);
    EXPECT_EQ(board.stepsTaken, 40u);
    EXPECT_EQ(board.timesPushed, 7u);
    EXPECT_EQ(board.layout.floor[3], 1);
}

TEST(LevelFile, SpacingAndLineEndsDoNotMatter) {
    std::string text = levelText(room, "levels\\a.kzm", "lastlevel", 1);
    read(text);
    Board expected = board;
    std::string oneLine = text, crlf, onePerLine;
    for (char& c : oneLine)
        if (c == '\n') c = ' ';
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (char c : oneLine) onePerLine += c == ' ' ? '\n' : c;
    for (const std::string& variant : {oneLine, crlf, onePerLine, text + " 17 junk tokens after the end"}) {
        read(variant);
        EXPECT_TRUE(board.walls == expected.walls);
        EXPECT_TRUE(board.boxes == expected.boxes);
        EXPECT_TRUE(board.targets == expected.targets);
        EXPECT_EQ(board.layout.nextLevelFile, "lastlevel");
    }
}

TEST(LevelFile, AFirstTokenThatIsNoNumberLeavesAnEmptyBoard) {
    read(levelText(room, "levels\\a.kzm", "lastlevel", 3));
    board.unusedHeader[0] = 11;
    read("abc " + levelText(room, "levels\\b.kzm", "lastlevel", 1));
    EXPECT_EQ(board.boxesToPlace, 3) << "header values keep those of the level before";
    EXPECT_EQ(board.unusedHeader[0], 11);
    EXPECT_EQ(board.layout.currentLevelFile, "");
    EXPECT_EQ(board.layout.nextLevelFile, "");
    EXPECT_EQ(board.player.x, 0);
    EXPECT_EQ(board.player.y, 0);
    EXPECT_EQ(board.player.facing, 'd');
    EXPECT_TRUE(allSlotsFree());
}

TEST(LevelFile, AFileEndingAfterTheWallsLeavesBoxesAndTargetsFree) {
    std::string text = levelText(room, "levels\\a.kzm", "lastlevel", 1);
    std::istringstream all(text);
    std::string token, cut;
    for (int i = 0; i < 530 && all >> token; i++) cut += token + ' ';
    read(cut);
    EXPECT_EQ(board.walls[0].x, 1);
    EXPECT_EQ(board.layout.currentLevelFile, "levels\\a.kzm");
    for (const GridPos& b : board.boxes) EXPECT_EQ(b.x, -1);
    for (const GridPos& t : board.targets) EXPECT_EQ(t.x, -1);
}

TEST(LevelFile, AShortWallListShiftsTheRestIntoTheWalls) {
    std::ostringstream text;
    text << "0 0 0 0 1 0 a b 3 3\n";
    for (int i = 0; i < 50; i++) text << "1 " << i << '\n';
    for (int i = 0; i < 200; i++) text << "2 " << i << '\n';
    read(text.str());
    EXPECT_EQ(board.walls[49].y, 49);
    EXPECT_EQ(board.walls[50].x, 2);
    EXPECT_EQ(board.walls[249].y, 199);
    EXPECT_EQ(board.walls[250].x, -1);
    for (const GridPos& b : board.boxes) EXPECT_EQ(b.x, -1);
}

TEST(LevelFile, AnOversizedCoordinateEndsTheReading) {
    read("0 0 0 0 1 0 a b 3 3 5 99999999999 7 7");
    EXPECT_EQ(board.walls[0].x, 5);
    EXPECT_EQ(board.walls[0].y, -1);
    EXPECT_EQ(board.walls[1].x, -1);
    read("0 0 0 0 1 0 a b 3 3 25 -5");
    EXPECT_EQ(board.walls[0].x, 25) << "off-grid coordinates are stored as they stand";
    EXPECT_EQ(board.walls[0].y, -5);
}

TEST(LevelFile, OpensBackslashNamesAndReportsAMissingFileLeavingTheBoard) {
    std::remove("missing_dir_for_test/none.kzm");
    read("0 0 0 0 1 0 kept\\level.kzm b 3 3");
    const FileResult missing = loadLevel("missing_dir_for_test\\none.kzm");
    EXPECT_EQ(missing.outcome, FileOutcome::missing);
    EXPECT_NE(missing.reason.find("none.kzm"), std::string::npos) << missing.reason;
    EXPECT_EQ(board.layout.currentLevelFile, "kept\\level.kzm") << "the level before stays";

    std::ofstream("level_file_test.kzm") << levelText(room, "here\\level_file_test.kzm", "lastlevel", 1);
    EXPECT_TRUE(loadLevel("level_file_test.kzm"));
    EXPECT_EQ(board.layout.currentLevelFile, "here\\level_file_test.kzm");
    std::remove("level_file_test.kzm");
}

TEST(LevelFile, OnlyOrdinaryFilesAreLevels) {
    // A folder reads like an empty file and a pipe would wait for ever: neither
    // is a level, and both are reported as files that cannot be read.
    ::mkdir("level_file_test_folder.kzm", 0755);
    ::mkfifo("level_file_test_pipe.kzm", 0644);
    for (const char* name : {"level_file_test_folder.kzm", "level_file_test_pipe.kzm"}) {
        EXPECT_FALSE(canOpenLevel(name)) << name;
        EXPECT_EQ(loadLevel(name).outcome, FileOutcome::missing) << name;
    }
    ::rmdir("level_file_test_folder.kzm");
    std::remove("level_file_test_pipe.kzm");
}

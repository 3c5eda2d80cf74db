// The lost-position warning and the hint on boards whose answers are known:
// the certain cases warn, positions that only look stuck do not, and a hint
// names the push that wins or says the position is lost.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>
#include <sstream>

#include "files/collection_level.h"
#include "files/level_file.h"
#include "level_builder.h"
#include "rules/board.h"
#include "rules/completion.h"
#include "rules/moves.h"
#include "solve/hint.h"
#include "solve/lost_position.h"

namespace {

void load(const std::string& picture, int boxesToPlace, int left = 1) {
    std::istringstream in(levelText(picture, "levels\\test.kzm", "lastlevel", boxesToPlace, left, 1));
    readLevel(in);
}

Hint hintNow(double seconds = 2.0) {
    forgetHintPlan();
    HintLimits limits;
    limits.seconds = seconds;
    return findHint(limits, nullptr);
}

}  // namespace

TEST(LostPosition, WarnsOnTheCertainCases) {
    struct Case {
        const char* why;
        const char* picture;
    };
    for (const Case& lost : {
             Case{"a box in a corner", "#######\n#$   .#\n# @ $.#\n#######"},
             Case{"a box against a wall with no target along it", "#######\n# $   #\n#   @ #\n#. $ .#\n#######"},
             Case{"four boxes frozen together", "#######\n#$$  .#\n#$$ ..#\n#  @ .#\n#######"},
             Case{"two boxes frozen along a wall", "#######\n#. $$ #\n#  @ .#\n#######"},
         }) {
        load(lost.picture, -1);
        board.boxesToPlace = 0;
        for (const GridPos& box : board.boxes) board.boxesToPlace += box.x > 0;
        EXPECT_TRUE(isPositionLost()) << lost.why;
    }
}

TEST(LostPosition, StaysQuietOnPositionsThatCanStillBeWon) {
    struct Case {
        const char* why;
        const char* picture;
        int boxesToPlace;
        int left;
    };
    for (const Case& fine : {
             Case{"a spare box in a corner", "#######\n#$    #\n#  $ .#\n# @   #\n#######", 1, 1},
             Case{"two spare boxes frozen together", "#######\n#$$   #\n#$$   #\n#  $ .#\n# @   #\n#######", 1, 1},
             Case{"a box frozen on its target", "#######\n#*   .#\n#  $  #\n# @   #\n#######", 2, 1},
             Case{"boxes along a wall with targets on it", "#######\n#.$ $.#\n#  @  #\n#######", 2, 1},
             Case{"two boxes side by side, free to part", "#######\n#     #\n# $$ .#\n# @  .#\n#######", 2, 1},
             Case{"an open room: the player can walk round it", "    \n @$.\n    ", 1, 1},
         }) {
        load(fine.picture, fine.boxesToPlace, fine.left);
        EXPECT_FALSE(isPositionLost()) << fine.why;
    }
    // A box in a corner on a target in column 0, which never counts: spare
    // when one pair is needed, and the level lost when two are.
    const char* columnZero = "########\n#*  $ .#\n#  @  .#\n########";
    load(columnZero, 1, -1);
    EXPECT_FALSE(isPositionLost());
    load(columnZero, 2, -1);
    EXPECT_TRUE(isPositionLost());
}

TEST(Hint, NamesTheBoxAndTheWayOfTheNextPush) {
    load("########\n#   #  #\n# $@  .#\n#      #\n########", 1);
    const Hint hint = hintNow();
    ASSERT_EQ(hint.outcome, HintOutcome::found);
    EXPECT_EQ(hint.box, 0);
    EXPECT_EQ(hint.boxX, 3);
    EXPECT_EQ(hint.boxY, 3);
    EXPECT_EQ(hint.way, 'r');
}

TEST(Hint, SaysSoWhenThePositionIsLostOrTheTimeRunsOut) {
    // The box could reach the target, but the player can never get to it.
    load("#######\n#.$ #@#\n#######", 1);
    EXPECT_FALSE(isPositionLost());
    EXPECT_EQ(hintNow().outcome, HintOutcome::lost);
    load("#######\n#$   .#\n# @ $.#\n#######", 2);
    EXPECT_EQ(hintNow().outcome, HintOutcome::lost);

    std::ifstream file(SOURCE_FOLDER "/levels/level49.kzm");
    ASSERT_TRUE(file.is_open());
    readLevel(file);
    EXPECT_EQ(hintNow(0.001).outcome, HintOutcome::notFound);
}

TEST(Hint, FollowingTheHintsWinsTheLevel) {
    std::ifstream file(SOURCE_FOLDER "/levels/level12.kzm");
    ASSERT_TRUE(file.is_open());
    readLevel(file);
    forgetHintPlan();
    for (int pushes = 0; pushes < 200 && !isLevelComplete(); pushes++) {
        Hint hint = findHint(HintLimits(), nullptr);
        ASSERT_EQ(hint.outcome, HintOutcome::found);
        // Stand behind the box as the player would have walked there, and push.
        const Direction& way = hint.way == 'u' ? moveUp : hint.way == 'd' ? moveDown : hint.way == 'l' ? moveLeft : moveRight;
        board.player.x = hint.boxX - way.dx;
        board.player.y = hint.boxY - way.dy;
        ASSERT_TRUE(tryMove(way));
        ASSERT_EQ(board.boxes[hint.box].x, hint.boxX + way.dx);
    }
    EXPECT_TRUE(isLevelComplete());
}

TEST(LargeLevel, TheWarningAndTheHintTakeALevelLargerThanTheBoard) {
    LevelPicture picture;
    picture.columns = 40;
    picture.rows = 30;
    for (int y = 0; y < 30; y++) {
        std::string row(40, ' ');
        if (y == 0 || y == 29) row = std::string(40, '#');
        row[0] = row[39] = '#';
        picture.lines.push_back(row);
    }
    picture.lines[1][1] = '@';
    picture.lines[5][5] = '$';
    picture.lines[5][35] = '.';
    placeLevelPicture(picture);
    EXPECT_FALSE(isPositionLost());
    const Hint hint = hintNow();
    ASSERT_EQ(hint.outcome, HintOutcome::found);
    EXPECT_EQ(hint.way, 'r');
    board.boxes[0] = {2, 1};  // into the corner by the top wall, off target
    EXPECT_TRUE(isPositionLost());
    EXPECT_EQ(hintNow().outcome, HintOutcome::lost);
}

namespace {

// A full 20 x 13 room of scattered walls, 12 boxes and 12 targets, the same
// for each `seed`. Eleven pairs win it, so the search has no estimate to go
// by and its tables grow for as long as it is let run.
void loadCrowdedRoom(uint32_t seed) {
    auto next = [&seed](uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    std::vector<std::string> rows(13, std::string(20, '#'));
    for (int y = 1; y < 12; y++) {
        for (int x = 1; x < 19; x++) rows[y][x] = next(12) == 0 ? '#' : ' ';
    }
    auto place = [&](char c) {
        for (;;) {
            int x = 2 + int(next(16)), y = 2 + int(next(9));
            if (rows[y][x] == ' ') {
                rows[y][x] = c;
                return;
            }
        }
    };
    for (int i = 0; i < 12; i++) place('$');
    for (int i = 0; i < 12; i++) place('.');
    place('@');
    std::string picture;
    for (const std::string& row : rows) picture += row + '\n';
    picture.pop_back();
    load(picture, 11, 0);
}

// The game's resident memory, in bytes.
long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * 4096;
}

}  // namespace

TEST(Hint, KeepsToItsBudgetAndGivesItsMemoryBack) {
    // The first room of the kind that is not lost from the start.
    uint32_t seed = 1;
    for (loadCrowdedRoom(seed); isPositionLost() && seed < 1000; loadCrowdedRoom(++seed)) {
    }
    ASSERT_FALSE(isPositionLost());
    hintNow(0.05);  // the first search's buffers, which the C library may keep
    [[maybe_unused]] const long before = residentBytes();
    auto start = std::chrono::steady_clock::now();
    hintNow(1.5);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 1.5 + 0.05) << "the clock is looked at too seldom";
#if !defined(__SANITIZE_ADDRESS__)
    // The sanitizers' allocator keeps freed memory aside, so only the plain build is measured.
    EXPECT_LT(residentBytes() - before, 8L << 20) << "the search's tables were not given back";
#endif
}

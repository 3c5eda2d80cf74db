// Steps and pushes as the player sees them: walls stop, one box moves, two do not.
#include <gtest/gtest.h>

#include "level_builder.h"
#include "rules/board.h"
#include "rules/moves.h"

namespace {

struct MoveTest : ::testing::Test {
    void SetUp() override {
        board.stepsTaken = 0;
        board.timesPushed = 0;
    }
};

}  // namespace

TEST_F(MoveTest, AFreeCellTakesOneStepWithoutAPush) {
    setBoardFromPicture("#####\n#@  #\n#####");
    const MoveResult result = tryMove(moveRight);
    EXPECT_EQ(result.outcome, MoveOutcome::stepped);
    EXPECT_EQ(result.box, -1);
    EXPECT_EQ(board.player.x, 3);
    EXPECT_EQ(board.player.facing, 'r');
    EXPECT_EQ(board.stepsTaken, 1u);
    EXPECT_EQ(board.timesPushed, 0u);
}

TEST_F(MoveTest, AWallTurnsTheFigureAndNothingElse) {
    setBoardFromPicture("#####\n#@  #\n#####");
    EXPECT_EQ(tryMove(moveUp).outcome, MoveOutcome::blocked);
    EXPECT_EQ(board.player.facing, 'u');
    EXPECT_EQ(board.player.x, 2);
    EXPECT_EQ(board.player.y, 2);
    EXPECT_EQ(board.stepsTaken, 0u);
}

TEST_F(MoveTest, APushMovesBoxAndPlayerAndCountsBoth) {
    setBoardFromPicture("######\n#@$. #\n######");
    const MoveResult result = tryMove(moveRight);
    EXPECT_EQ(result.outcome, MoveOutcome::pushed) << "the game sounds the push";
    EXPECT_EQ(result.box, 0);
    EXPECT_EQ(board.boxes[0].x, 4) << "onto the target, which never blocks";
    EXPECT_EQ(board.player.x, 3);
    EXPECT_EQ(board.stepsTaken, 1u);
    EXPECT_EQ(board.timesPushed, 1u);
}

TEST_F(MoveTest, ABoxAgainstAWallOrAnotherBoxDoesNotMove) {
    for (const char* picture : {"#####\n#@$##\n#####", "######\n#@$$ #\n######"}) {
        setBoardFromPicture(picture);
        EXPECT_EQ(tryMove(moveRight).outcome, MoveOutcome::blocked) << picture;
        EXPECT_EQ(board.player.facing, 'r');
        EXPECT_EQ(board.player.x, 2);
        EXPECT_EQ(board.boxes[0].x, 3);
        EXPECT_EQ(board.stepsTaken, 0u);
        EXPECT_EQ(board.timesPushed, 0u);
    }
}

TEST_F(MoveTest, OfTwoBoxesOnOneCellTheLowerSlotIsPushed) {
    setBoardFromPicture("######\n#@$  #\n######");
    board.boxes[1] = board.boxes[0];
    EXPECT_TRUE(tryMove(moveRight));
    EXPECT_EQ(board.boxes[0].x, 4);
    EXPECT_EQ(board.boxes[1].x, 3) << "the other box stays, and the player stands on it";
    EXPECT_EQ(board.player.x, 3);
}

TEST_F(MoveTest, OnlyWallsKeepThePlayerOnTheGrid) {
    setBoardFromPicture("@", 0, 0);
    EXPECT_TRUE(tryMove(moveLeft));
    EXPECT_EQ(board.player.x, -1);
    // Off the grid the free slots at (-1, -1) act as real walls and boxes.
    EXPECT_FALSE(tryMove(moveUp));
    EXPECT_EQ(board.player.y, 0);
}

TEST_F(MoveTest, TheEdgeOfTheCoordinateRangeStopsPlayerAndBoxes) {
    setBoardFromPicture("");
    board.player.x = INT32_MAX;
    board.player.y = INT32_MIN;
    EXPECT_FALSE(tryMove(moveRight));
    EXPECT_FALSE(tryMove(moveUp));
    EXPECT_EQ(board.player.x, INT32_MAX);
    EXPECT_EQ(board.player.y, INT32_MIN);
    board.boxes[0] = {INT32_MAX, INT32_MIN};
    board.player.x = INT32_MAX - 1;
    EXPECT_FALSE(tryMove(moveRight));
    EXPECT_EQ(board.boxes[0].x, INT32_MAX);
    EXPECT_EQ(board.stepsTaken, 0u);
}

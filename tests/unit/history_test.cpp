// Taking moves back and making them again, as a player sees it: the figure,
// the box and both counters return exactly; a new move ends what could be
// made again.
#include <gtest/gtest.h>

#include "level_builder.h"
#include "rules/board.h"
#include "rules/history.h"
#include "rules/moves.h"

namespace {

struct HistoryTest : ::testing::Test {
    void SetUp() override {
        setBoardFromPicture("#######\n#@ $ .#\n#     #\n#######");
        board.stepsTaken = 0;
        board.timesPushed = 0;
    }
};

}  // namespace

TEST_F(HistoryTest, UndoTakesBackStepsAndPushesExactlyAndRedoPushesAgain) {
    board.stepsTaken = UINT32_MAX;  // a count that wraps round on the next move
    ASSERT_TRUE(playMove(moveDown));
    ASSERT_TRUE(playMove(moveUp));
    ASSERT_TRUE(playMove(moveRight));
    const MoveResult push = playMove(moveRight);  // pushes the box from (4, 2) to (5, 2)
    ASSERT_EQ(push.outcome, MoveOutcome::pushed);
    ASSERT_EQ(push.box, 0);
    EXPECT_FALSE(playMove(moveUp)) << "a wall: the figure turns, nothing is recorded";
    ASSERT_EQ(board.boxes[0].x, 5);
    ASSERT_EQ(board.stepsTaken, 3u);

    EXPECT_EQ(undoMove(), HistoryStep::push);
    EXPECT_EQ(board.boxes[0].x, 4);
    EXPECT_EQ(board.player.x, 3);
    EXPECT_EQ(board.player.facing, 'r') << "facing as before the push";
    EXPECT_EQ(board.stepsTaken, 2u);
    EXPECT_EQ(board.timesPushed, 0u);
    EXPECT_EQ(undoMove(), HistoryStep::step);
    EXPECT_EQ(undoMove(), HistoryStep::step);
    EXPECT_EQ(board.player.y, 3);
    EXPECT_EQ(undoMove(), HistoryStep::step);
    EXPECT_EQ(board.player.x, 2);
    EXPECT_EQ(board.player.y, 2);
    EXPECT_EQ(board.player.facing, 'd') << "as the level began";
    EXPECT_EQ(board.stepsTaken, UINT32_MAX) << "the count wraps back";
    EXPECT_EQ(undoMove(), HistoryStep::none) << "nothing before the start";

    for (int i = 0; i < 3; i++) EXPECT_EQ(redoMove(), HistoryStep::step);
    EXPECT_EQ(redoMove(), HistoryStep::push) << "a push made again, for the game to sound";
    EXPECT_EQ(redoMove(), HistoryStep::none);
    EXPECT_EQ(board.boxes[0].x, 5);
    EXPECT_EQ(board.player.x, 4);
    EXPECT_EQ(board.stepsTaken, 3u);
    EXPECT_EQ(board.timesPushed, 1u);
}

TEST_F(HistoryTest, ANewMoveEndsWhatCouldBeRedoneButATurnDoesNot) {
    playMove(moveRight);
    playMove(moveRight);
    undoMove();
    playMove(moveUp);  // into the wall: only a turn
    EXPECT_EQ(redoMove(), HistoryStep::push);
    undoMove();
    undoMove();
    playMove(moveDown);
    EXPECT_EQ(redoMove(), HistoryStep::none);
    EXPECT_EQ(undoMove(), HistoryStep::step);
    EXPECT_EQ(undoMove(), HistoryStep::none);
}

// Taking moves back and making them again, as a player sees it: the figure,
// the box and both counters return exactly; a new move ends what could be
// made again; loading a level forgets everything.
#include <gtest/gtest.h>

#include <sstream>

#include "fake_seam.h"
#include "files/level_file.h"
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
        pushSoundsPlayed = 0;
    }
};

}  // namespace

TEST_F(HistoryTest, UndoTakesBackStepsAndPushesExactlyAndRedoPushesAgainWithItsSound) {
    board.stepsTaken = UINT32_MAX;  // a count that wraps round on the next move
    ASSERT_TRUE(playMove(moveDown, nullptr));
    ASSERT_TRUE(playMove(moveUp, nullptr));
    ASSERT_TRUE(playMove(moveRight, nullptr));
    ASSERT_TRUE(playMove(moveRight, nullptr));  // pushes the box from (4, 2) to (5, 2)
    EXPECT_FALSE(playMove(moveUp, nullptr)) << "a wall: the figure turns, nothing is recorded";
    ASSERT_EQ(board.boxes[0].x, 5);
    ASSERT_EQ(board.stepsTaken, 3u);
    ASSERT_EQ(pushSoundsPlayed, 1);

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
    EXPECT_EQ(pushSoundsPlayed, 1) << "undo is silent";

    for (int i = 0; i < 3; i++) EXPECT_EQ(redoMove(nullptr), HistoryStep::step);
    EXPECT_EQ(redoMove(nullptr), HistoryStep::push);
    EXPECT_EQ(redoMove(nullptr), HistoryStep::none);
    EXPECT_EQ(board.boxes[0].x, 5);
    EXPECT_EQ(board.player.x, 4);
    EXPECT_EQ(board.stepsTaken, 3u);
    EXPECT_EQ(board.timesPushed, 1u);
    EXPECT_EQ(pushSoundsPlayed, 2) << "a redone push sounds";
}

TEST_F(HistoryTest, ANewMoveEndsWhatCouldBeRedoneButATurnDoesNot) {
    playMove(moveRight, nullptr);
    playMove(moveRight, nullptr);
    undoMove();
    playMove(moveUp, nullptr);  // into the wall: only a turn
    EXPECT_EQ(redoMove(nullptr), HistoryStep::push);
    undoMove();
    undoMove();
    playMove(moveDown, nullptr);
    EXPECT_EQ(redoMove(nullptr), HistoryStep::none);
    EXPECT_EQ(undoMove(), HistoryStep::step);
    EXPECT_EQ(undoMove(), HistoryStep::none);
}

TEST_F(HistoryTest, LoadingALevelForgetsEveryMove) {
    playMove(moveRight, nullptr);
    playMove(moveRight, nullptr);
    undoMove();
    std::istringstream in(levelText("#####\n#@$.#\n#####", "levels\\a.kzm", "lastlevel", 1));
    readLevel(in);
    EXPECT_EQ(undoMove(), HistoryStep::none);
    EXPECT_EQ(redoMove(nullptr), HistoryStep::none);
}

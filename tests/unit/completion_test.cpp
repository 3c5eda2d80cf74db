// A level is won when the box-on-target pairs equal boxesToPlace, exactly.
#include <gtest/gtest.h>

#include "level_builder.h"
#include "rules/board.h"
#include "rules/completion.h"

TEST(Completion, WonExactlyWhenThePairsEqualBoxesToPlace) {
    setBoardFromPicture("#*$.#");
    board.boxesToPlace = 2;
    EXPECT_FALSE(isLevelComplete());
    board.boxes[1] = board.targets[1];
    EXPECT_TRUE(isLevelComplete());
    board.boxesToPlace = 1;
    EXPECT_FALSE(isLevelComplete()) << "a count above boxesToPlace is no win";
}

TEST(Completion, NothingToPlaceIsWonAtOnce) {
    setBoardFromPicture("#@$.#");
    board.boxesToPlace = 0;
    EXPECT_TRUE(isLevelComplete());
}

TEST(Completion, ColumnZeroNeverCounts) {
    setBoardFromPicture("*", 0, 3);
    board.boxesToPlace = 1;
    EXPECT_FALSE(isLevelComplete());
    board.boxesToPlace = 0;
    EXPECT_TRUE(isLevelComplete()) << "free slots at (-1, -1) never count either";
}

TEST(Completion, DuplicateTargetsAndStackedBoxesCountEveryPair) {
    setBoardFromPicture("#*#");
    board.targets[1] = board.targets[0];
    board.boxesToPlace = 2;
    EXPECT_TRUE(isLevelComplete()) << "one box on a target listed twice";
    board.boxes[1] = board.boxes[0];
    EXPECT_FALSE(isLevelComplete()) << "two boxes on it make four pairs";
    board.boxesToPlace = 4;
    EXPECT_TRUE(isLevelComplete());
}

// The resets give every record its sentinel value and touch nothing else.
#include <gtest/gtest.h>

#include "rules/board.h"

TEST(BoardReset, FreesEverySlotAndLeavesCountersAndLayout) {
    board.player = {5, 6, 7, 8, 'u'};
    board.walls[259] = {3, 3, 9};
    board.boxes[99] = {4, 4};
    board.targets[0] = {2, 2};
    board.stepsTaken = 12;
    board.boxesToPlace = 4;
    board.layout.currentLevelFile = "levels\\x.kzm";
    board.layout.floor[0] = 1;
    resetBoard();
    EXPECT_EQ(board.player.x, 0);
    EXPECT_EQ(board.player.startY, 0);
    EXPECT_EQ(board.player.facing, 'd');
    EXPECT_EQ(board.walls[259].x, -1);
    EXPECT_EQ(board.walls[259].spare, 0);
    EXPECT_EQ(board.boxes[99].y, -1);
    EXPECT_EQ(board.targets[0].x, -1);
    EXPECT_EQ(board.stepsTaken, 12u);
    EXPECT_EQ(board.boxesToPlace, 4);
    EXPECT_EQ(board.layout.currentLevelFile, "levels\\x.kzm");
    EXPECT_EQ(board.layout.floor[0], 1);
}

TEST(BoardReset, ClearLayoutAndFillFloor) {
    board.layout.nextLevelFile = "lastlevel";
    clearLayout();
    EXPECT_EQ(board.layout.floor[floorCells - 1], 0);
    EXPECT_EQ(board.layout.currentLevelFile, "");
    EXPECT_EQ(board.layout.nextLevelFile, "");
    board.layout.currentLevelFile = "kept";
    fillFloor();
    for (int cell : board.layout.floor) EXPECT_EQ(cell, 1);
    EXPECT_EQ(floorCell(19, 12), 1);
    EXPECT_EQ(board.layout.currentLevelFile, "kept");
}

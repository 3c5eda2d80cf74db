// Loading a level as the game does: whatever came before is forgotten, and a
// level that cannot be read leaves the game where it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "game/session.h"
#include "level_builder.h"
#include "rules/board.h"
#include "rules/history.h"
#include "rules/moves.h"
#include "view/board_notes.h"

namespace {

const char* const room = "#######\n#@ $ .#\n#     #\n#######";

struct OpenLevel : ::testing::Test {
    void SetUp() override {
        std::ofstream("session_test.kzm") << levelText(room, "session_test.kzm", "lastlevel", 1);
    }
    void TearDown() override { std::remove("session_test.kzm"); }
};

}  // namespace

TEST_F(OpenLevel, ForgetsTheMovesAndTheNotesOfTheLevelBefore) {
    ASSERT_TRUE(openLevel("session_test.kzm"));
    playMove(moveRight);
    playMove(moveRight);
    undoMove();
    boardNotes.note = PanelNote::lost;
    ASSERT_TRUE(openLevel("session_test.kzm"));
    EXPECT_EQ(undoMove(), HistoryStep::none);
    EXPECT_EQ(redoMove(), HistoryStep::none);
    EXPECT_EQ(boardNotes.note, PanelNote::none);
}

TEST_F(OpenLevel, AMissingLevelSaysSoAndLeavesTheBoardAndTheMoves) {
    ASSERT_TRUE(openLevel("session_test.kzm"));
    playMove(moveRight);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(openLevel("no_such_folder\\level9.kzm"));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Unable to read file!"), std::string::npos);
    EXPECT_EQ(board.layout.currentLevelFile, "session_test.kzm");
    EXPECT_EQ(board.player.x, 3);
    EXPECT_EQ(undoMove(), HistoryStep::step) << "the level in play keeps its moves";
}

// Playing levels of a collection: how they are named in saved games, where
// they stand on the Board, which level comes next, and which file a chain's
// next level is.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "files/collection_level.h"
#include "files/level_file.h"
#include "level_builder.h"
#include "rules/board.h"
#include "rules/completion.h"
#include "rules/moves.h"

namespace {

struct CollectionLevelTest : ::testing::Test {
    const std::string path = "collection level test.txt";
    void write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    void TearDown() override { std::remove(path.c_str()); }
};

std::string bigRoom(int columns, int rows) {
    std::string text;
    for (int y = 0; y < rows; y++) {
        for (int x = 0; x < columns; x++) {
            const bool wall = x == 0 || y == 0 || x == columns - 1 || y == rows - 1;
            text += wall ? '#' : y == 1 && x == 1 ? '@' : y == 1 && x == 2 ? '$' : y == 1 && x == columns - 2 ? '.' : ' ';
        }
        text += '\n';
    }
    return text;
}

}  // namespace

TEST_F(CollectionLevelTest, NamesKeepBlanksAndPercentsAndOlderGamesFindNoSuchFile) {
    const std::string name = collectionLevelName("/home/ann/my 100% levels.txt", 12);
    EXPECT_EQ(name, "/home/ann/my%20100%25%20levels.txt#12");
    std::string path;
    int number = 0;
    ASSERT_TRUE(isCollectionLevelName(name, path, number));
    EXPECT_EQ(path, "/home/ann/my 100% levels.txt");
    EXPECT_EQ(number, 12);
    EXPECT_FALSE(isCollectionLevelName("levels\\level1.kzm", path, number));
    EXPECT_FALSE(isCollectionLevelName("a#0", path, number));
    EXPECT_FALSE(canOpenLevel(name)) << "no such file";
}

TEST_F(CollectionLevelTest, ASmallLevelStandsCentredOnTheGridAndALargeOneOnItsOwnAndBothPlay) {
    write("; one\n#####\n#@$.#\n#####\n\n; refused\n#@@$.#\n\n; big\n" + bigRoom(30, 20));
    ASSERT_TRUE(loadLevel(collectionLevelName(path, 1)));
    EXPECT_EQ(board.columns, boardColumns);
    EXPECT_EQ(board.rows, boardRows);
    EXPECT_EQ(board.player.x, 8) << "five columns centred on twenty";
    EXPECT_EQ(board.player.y, 6);
    EXPECT_EQ(board.boxes.size(), 1u);
    EXPECT_EQ(board.boxesToPlace, 1);
    EXPECT_EQ(board.layout.nextLevelFile, collectionLevelName(path, 3)) << "the refused level is passed over";
    EXPECT_TRUE(tryMove(moveRight));
    EXPECT_TRUE(isLevelComplete());

    EXPECT_FALSE(canOpenLevel(collectionLevelName(path, 2)));
    EXPECT_EQ(loadLevel(collectionLevelName(path, 2)).outcome, FileOutcome::malformed);
    EXPECT_EQ(board.columns, boardColumns) << "a level that cannot be played leaves the Board";

    ASSERT_TRUE(loadLevel(collectionLevelName(path, 3)));
    EXPECT_EQ(board.columns, 31) << "one column in: column 0 never counts";
    EXPECT_EQ(board.rows, 20);
    EXPECT_EQ(board.walls.size(), size_t(2 * 30 + 2 * 18));
    EXPECT_EQ(board.player.x, 2);
    EXPECT_EQ(board.layout.nextLevelFile, "lastlevel");
    for (int step = 0; step < 26; step++) ASSERT_TRUE(tryMove(moveRight)) << step;
    EXPECT_TRUE(isLevelComplete());
}

TEST_F(CollectionLevelTest, AChainsNextLevelIsLookedForBesideItFirst) {
    ::mkdir("chain_test_mine", 0755);
    std::ofstream("chain_test_mine/level2.kzm") << levelText("#####\n#@$.#\n#####", "mine\\level2.kzm", "lastlevel", 1);
    EXPECT_EQ(resolveLevelName("mine\\level2.kzm", "/abs/chain_test_mine/level1.kzm"), "mine\\level2.kzm")
        << "nothing beside it: the name as written";
    EXPECT_EQ(resolveLevelName("mine\\level2.kzm", "chain_test_mine\\level1.kzm"), "chain_test_mine\\level2.kzm");
    EXPECT_EQ(resolveLevelName("lastlevel", "chain_test_mine\\level1.kzm"), "lastlevel");
    std::remove("chain_test_mine/level2.kzm");
    ::rmdir("chain_test_mine");
}

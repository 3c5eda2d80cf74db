// The game's music choices that need no sound: tune names and the dice.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "files/paths.h"
#include "view/music.h"

TEST(GameMusic, EveryTuneNumberNamesItsFileInTheMusicFolder) {
    EXPECT_STREQ(tuneFileName(1), "music\\1.mid");
    EXPECT_STREQ(tuneFileName(10), "music\\10.mid");
    EXPECT_EQ(tuneFileName(0), nullptr);
    EXPECT_EQ(tuneFileName(11), nullptr);
    for (int number = 1; number <= tuneCount; number++) {
        std::string name = tuneFileName(number);
        EXPECT_EQ(name, "music\\" + std::to_string(number) + ".mid");
        EXPECT_TRUE(std::filesystem::is_regular_file(std::string(GAME_FOLDER) + "/" + hostPath(name))) << name;
    }
}

TEST(GameMusic, RandomTuneNumbersStayInRangeAndReachEveryTune) {
    std::srand(7);
    std::set<int> drawn;
    for (int i = 0; i < 2000; i++) {
        int number = randomInt(1, tuneCount);
        ASSERT_GE(number, 1);
        ASSERT_LE(number, tuneCount);
        drawn.insert(number);
    }
    EXPECT_EQ(drawn.size(), size_t(tuneCount));
    for (int i = 0; i < 100; i++) EXPECT_EQ(randomInt(-3, 1), -3);
}

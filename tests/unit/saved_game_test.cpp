// Saved games: the exact bytes, the round trip, damaged files, and a save that
// fails leaving the old file whole.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "files/saved_game.h"
#include "rules/board.h"

namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

SavedGame readFrom(const std::string& text, SavedGame before) {
    std::istringstream in(text);
    readSavedGame(in, before);
    return before;
}

const SavedGame earlier = {"levels\\old.kzm", 7, 70, 7};

}  // namespace

TEST(SavedGame, WritesFourLinesEachEndedByOneLineFeed) {
    std::ostringstream out;
    writeSavedGame(out, {"levels\\level3.kzm", 3, 120, 17});
    EXPECT_EQ(out.str(), "levels\\level3.kzm\n3\n120\n17\n");
    std::ostringstream negative;
    writeSavedGame(negative, {"a", -2, 4294967295u, 0});
    EXPECT_EQ(negative.str(), "a\n-2\n4294967295\n0\n");
}

TEST(SavedGame, SavingAndReadingBackGivesTheSameFigures) {
    board.layout.currentLevelFile = "levels\\level9.kzm";
    board.levelNumber = 9;
    board.stepsTaken = 300;
    board.timesPushed = 41;
    const std::string path = "saved_game_test.kzs";
    ASSERT_TRUE(saveGameFile(path, savedGameOfBoard()));
    board.levelNumber = 1;
    board.stepsTaken = 0;
    std::ifstream in(path, std::ios::binary);
    SavedGame game = savedGameOfBoard();
    readSavedGame(in, game);
    restoreSavedGame(game);
    EXPECT_EQ(board.layout.currentLevelFile, "levels\\level9.kzm");
    EXPECT_EQ(board.levelNumber, 9);
    EXPECT_EQ(board.stepsTaken, 300u);
    EXPECT_EQ(board.timesPushed, 41u);
    std::remove(path.c_str());
}

TEST(SavedGame, DamagedFilesSetOnlyWhatCouldBeRead) {
    SavedGame empty = readFrom("", earlier);
    EXPECT_EQ(empty.levelFile, "");
    EXPECT_EQ(empty.levelNumber, 7);
    EXPECT_EQ(empty.timesPushed, 7u);

    SavedGame nameOnly = readFrom("levels\\level2.kzm", earlier);
    EXPECT_EQ(nameOnly.levelFile, "levels\\level2.kzm");
    EXPECT_EQ(nameOnly.levelNumber, 7);

    SavedGame noNumber = readFrom("levels\\level2.kzm\nthree\n5\n6\n", earlier);
    EXPECT_EQ(noNumber.levelNumber, 7);
    EXPECT_EQ(noNumber.stepsTaken, 70u);
    EXPECT_EQ(noNumber.timesPushed, 7u);

    // A save made with no level name starts with an empty line, which reading
    // skips: every figure slides one place up.
    SavedGame shifted = readFrom("\n4\n50\n6\n", earlier);
    EXPECT_EQ(shifted.levelFile, "4");
    EXPECT_EQ(shifted.levelNumber, 50);
    EXPECT_EQ(shifted.stepsTaken, 6u);
    EXPECT_EQ(shifted.timesPushed, 7u);
}

TEST(SavedGame, NumbersBeyondTheirLimitsOrSignedWhereUnsignedFail) {
    SavedGame limits = readFrom("a -2147483648 4294967295 4294967295 trailing words", earlier);
    EXPECT_EQ(limits.levelNumber, INT32_MIN);
    EXPECT_EQ(limits.stepsTaken, 4294967295u);
    EXPECT_EQ(limits.timesPushed, 4294967295u);

    SavedGame tooBig = readFrom("a 2147483648 1 1", earlier);
    EXPECT_EQ(tooBig.levelNumber, 7);
    EXPECT_EQ(tooBig.stepsTaken, 70u);

    SavedGame minus = readFrom("a 2 -5 6", earlier);
    EXPECT_EQ(minus.levelNumber, 2);
    EXPECT_EQ(minus.stepsTaken, 70u);
    EXPECT_EQ(minus.timesPushed, 7u);

    SavedGame overUnsigned = readFrom("a 2 4294967296 6", earlier);
    EXPECT_EQ(overUnsigned.stepsTaken, 70u);
    EXPECT_EQ(overUnsigned.timesPushed, 7u);
}

TEST(SavedGame, AFailedSaveLeavesTheOldFileByteForByte) {
    const std::string folder = "saved_game_test_folder";
    ::mkdir(folder.c_str(), 0755);
    const std::string path = folder + "/game.kzs";
    ASSERT_TRUE(saveGameFile(path, earlier));
    const std::string before = contentsOf(path);

    // A disk that fills up part-way: the file-size limit makes the writes
    // fail after a few bytes, as a full disk would.
    struct rlimit old;
    ::getrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = {5, old.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    const bool saved = bool(saveGameFile(path, {"levels\\a-much-longer-level-name.kzm", 1, 2, 3}));
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(saved);
    EXPECT_EQ(contentsOf(path), before);

    const FileResult refused = saveGameFile("no_such_folder_here/game.kzs", earlier);
    EXPECT_EQ(refused.outcome, FileOutcome::notWritten);
    EXPECT_FALSE(refused.reason.empty()) << "the system's reason is kept for the player";
    EXPECT_FALSE(saveGameFile(folder, earlier)) << "a folder is not replaced by a save";
    EXPECT_EQ(contentsOf(path), before);

    ASSERT_TRUE(saveGameFile(path, {"levels\\new.kzm", 1, 2, 3}));
    EXPECT_EQ(contentsOf(path), "levels\\new.kzm\n1\n2\n3\n") << "a good save replaces the whole file";
    std::remove(path.c_str());
    EXPECT_EQ(::rmdir(folder.c_str()), 0) << "no half-written file is left beside the save";
}

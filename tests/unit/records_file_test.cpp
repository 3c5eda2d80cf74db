// The player's records: keys that follow a level's content and not its file,
// which solutions are kept, the file read back as written, and a damaged file
// set aside rather than lost.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/records_file.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint64_t> keysOf(const std::string& text) {
    std::istringstream in(text);
    return levelKeysOf(in, listCollection(in));
}

std::string textOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A folder of its own for a test, removed after it.
class RecordsFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/boxyard-records-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string folder;
};

const char* twoLevels = "; one\n#####\n#@$.#\n#####\n\n; two\n######\n#@$ .#\n######\n";

}  // namespace

TEST(RecordKeys, ALevelIsKnownByItsCellsWhereverItStands) {
    std::vector<uint64_t> keys = keysOf(twoLevels);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_NE(keys[0], keys[1]);
    // The same levels the other way round, with other titles, floor written
    // '-', blanks at the row ends and CRLF lines: the same keys.
    std::vector<uint64_t> moved = keysOf("Title: 2\n######\n#@$-.#\n######\n\n'x'\n  #####  \r\n  #@$.#\r\n  #####\r\n");
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_EQ(moved[0], keys[1]);
    EXPECT_EQ(moved[1], keys[0]);
    EXPECT_EQ(keyText(keys[0]).size(), 16u);
}

TEST_F(RecordsFolder, ARenamedCollectionKeepsItsKeyAndAnotherOrderDoesNot) {
    writeText(folder + "/mine.txt", twoLevels);
    fs::rename(folder + "/mine.txt", folder + "/renamed.txt");
    std::ifstream renamed(folder + "/renamed.txt", std::ios::binary);
    EXPECT_EQ(collectionKey(levelKeysOf(renamed, listCollection(renamed))), collectionKey(keysOf(twoLevels)));
    std::vector<uint64_t> keys = keysOf(twoLevels);
    EXPECT_NE(collectionKey({keys[1], keys[0]}), collectionKey(keys));

    const char* was = std::getenv("XDG_DATA_HOME");
    const std::string before = was ? was : "";
    ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
    EXPECT_EQ(recordsPath(0x1234), folder + "/boxyard/records/0000000000001234.txt");
    if (was) ::setenv("XDG_DATA_HOME", before.c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
}

TEST(NoteSolution, KeepsTheBestByMovesAndTheBestByPushesWithTiesBrokenByTheOther) {
    Records records;
    EXPECT_TRUE(noteSolution(records, 7, "rrRR", 3));
    const LevelRecord& level = records.levels.at(7);
    EXPECT_EQ(level.byMoves.letters, "rrRR");
    EXPECT_EQ(level.byMoves.moves, 4u);
    EXPECT_EQ(level.byMoves.pushes, 2u);
    EXPECT_EQ(level.byPushes.letters, "rrRR");

    EXPECT_FALSE(noteSolution(records, 7, "rrRR", 3)) << "the same again improves nothing";
    EXPECT_FALSE(noteSolution(records, 7, "rrRRl", 3)) << "more moves and as many pushes";
    EXPECT_FALSE(noteSolution(records, 7, "rRRR", 3)) << "as many moves and more pushes";

    EXPECT_TRUE(noteSolution(records, 7, "rrr", 3)) << "fewer moves";
    EXPECT_EQ(level.byMoves.letters, "rrr");
    EXPECT_EQ(level.byPushes.letters, "rrr") << "and fewer pushes too";

    EXPECT_FALSE(noteSolution(records, 7, "uuuuR", 3)) << "more of both";

    EXPECT_FALSE(noteSolution(records, 7, "", 3));
    EXPECT_FALSE(noteSolution(records, 7, "rx", 3)) << "only the move letters";
    EXPECT_FALSE(noteSolution(records, 7, std::string(mostSolutionLetters + 1, 'u'), 3));
    EXPECT_EQ(records.letters, 6u);
}

TEST(NoteSolution, TiesGoToTheFewerOfTheOtherCount) {
    Records records;
    noteSolution(records, 1, "uuuRR", 1);  // 5 moves, 2 pushes
    EXPECT_TRUE(noteSolution(records, 1, "uRRR", 1));  // 4 moves, 3 pushes: better by moves only
    EXPECT_EQ(records.levels[1].byMoves.letters, "uRRR");
    EXPECT_EQ(records.levels[1].byPushes.letters, "uuuRR");
    EXPECT_TRUE(noteSolution(records, 1, "uuRR", 1));  // 4 moves, 2 pushes: better by both
    EXPECT_EQ(records.levels[1].byMoves.letters, "uuRR");
    EXPECT_EQ(records.levels[1].byPushes.letters, "uuRR");
    EXPECT_FALSE(noteSolution(records, 1, "RRuu", 1)) << "a tie in both keeps the first found";
}

TEST_F(RecordsFolder, RecordsReadBackAsWrittenAndTheFileReadsAsText) {
    Records records;
    noteSolution(records, 0xabc, "uuRRdL", 12);
    noteSolution(records, 0xabc, "LLLLLLLL", 12);
    noteSolution(records, 0x1, "rRrR", 2);
    const std::string path = folder + "/records/mine.txt";
    ASSERT_TRUE(writeRecords(path, records, "My\tlevels\n"));
    EXPECT_EQ(textOf(path), "boxyard records 1\ncollection My levels \n"
                            "level 2 key 0000000000000001\nmoves 4 pushes 2 rRrR\npushes 2 moves 4 rRrR\n"
                            "level 12 key 0000000000000abc\nmoves 6 pushes 3 uuRRdL\npushes 3 moves 6 uuRRdL\n");
    Records again;
    ASSERT_TRUE(readRecords(path, again));
    EXPECT_EQ(again.levels.size(), 2u);
    EXPECT_EQ(again.levels[0xabc].byMoves.letters, "uuRRdL");
    EXPECT_EQ(again.levels[0xabc].number, 12);
    EXPECT_EQ(again.letters, records.letters);
    EXPECT_EQ(readRecords(folder + "/none.txt", again).outcome, FileOutcome::missing);
}

TEST(ReadRecords, AnyFaultMakesTheWholeFileUnreadable) {
    const std::string good = "boxyard records 1\ncollection x\n\nlevel 1 key 00000000000000ff\r\n"
                             "moves 3 pushes 1 udR\npushes 1 moves 3 udR\n";
    Records records;
    std::istringstream in(good);
    ASSERT_TRUE(readRecords(in, records));
    for (const std::string& bad : {std::string(""), std::string("boxyard records 2\n"),
                                   good.substr(0, good.size() - 10), good + "level 2 key 00000000000000fe\n",
                                   std::string(good).replace(good.find("udR"), 3, "udX"),
                                   std::string(good).replace(good.find("moves 3"), 7, "moves 4"),
                                   std::string(good).replace(good.find("key 0"), 5, "key g"),
                                   std::string(good).replace(good.find("level 1"), 7, "level 0")}) {
        std::istringstream damaged(bad);
        FileResult read = readRecords(damaged, records);
        EXPECT_EQ(read.outcome, FileOutcome::malformed) << bad;
        EXPECT_FALSE(read.reason.empty());
        EXPECT_TRUE(records.levels.empty()) << "nothing half-read is kept";
    }
    std::istringstream longLine("boxyard records 1\ncollection x\nlevel 1 key 00000000000000ff\nmoves 1 pushes 0 " +
                                std::string(mostSolutionLetters + 100, 'u'));
    EXPECT_EQ(readRecords(longLine, records).reason, "line 4: longer than any solution kept");
}

TEST_F(RecordsFolder, ADamagedFileIsSetAsideWithoutReplacingOneSetAsideBefore) {
    const std::string path = folder + "/records.txt";
    Records records;
    noteSolution(records, 5, "R", 1);
    writeText(path, "garbage");
    FileResult opened = openRecords(path, records);
    EXPECT_EQ(opened.outcome, FileOutcome::malformed);
    EXPECT_NE(opened.reason.find(path + ".damaged-1"), std::string::npos) << opened.reason;
    EXPECT_TRUE(records.levels.empty()) << "the records start afresh";
    EXPECT_FALSE(fs::exists(path));

    writeText(path, "boxyard records 1\ncollection x\nlevel 1 key");
    opened = openRecords(path, records);
    EXPECT_EQ(opened.outcome, FileOutcome::malformed);
    EXPECT_EQ(textOf(path + ".damaged-1"), "garbage");
    EXPECT_EQ(textOf(path + ".damaged-2"), "boxyard records 1\ncollection x\nlevel 1 key");

    EXPECT_EQ(openRecords(path, records).outcome, FileOutcome::missing) << "no records yet";
    noteSolution(records, 5, "R", 1);
    ASSERT_TRUE(writeRecords(path, records, "x"));
    EXPECT_TRUE(openRecords(path, records));
    EXPECT_EQ(records.levels.size(), 1u);
}

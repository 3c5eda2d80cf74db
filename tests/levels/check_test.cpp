// Checking a chain of level files as the game will follow it: what passes,
// and each kind of problem with the file, the chain and the board.
#include <gtest/gtest.h>

#include <sstream>

#include "files/level_file.h"
#include "level_builder.h"
#include "levels/level_check.h"
#include "rules/board.h"
#include "temp_folder.h"

namespace {

const char* room = "#####\n#@$.#\n#####";

struct CheckChain : InTempFolder {
    std::string output;

    int check(const std::string& first = "levels\\level1.kzm") {
        std::ostringstream out;
        SearchLimits limits;
        limits.maxSeconds = 10;
        int status = checkChain(first, limits, out);
        output = out.str();
        return status;
    }

    bool said(const std::string& text) const { return output.find(text) != std::string::npos; }
};

void writeLevel(int number, const std::string& picture, const std::string& next, int boxesToPlace = 1,
                int left = 1, int top = 1) {
    std::string own = "levels\\level" + std::to_string(number) + ".kzm";
    writeFile("levels/level" + std::to_string(number) + ".kzm", levelText(picture, own, next, boxesToPlace, left, top));
}

std::string formatOf(const std::string& text) {
    std::istringstream in(text);
    return formatProblem(in);
}

}  // namespace

TEST_F(CheckChain, AGoodChainPassesWithEachSolution) {
    writeLevel(1, room, "levels\\level2.kzm");
    writeLevel(2, "######\n#@ $.#\n######", "lastlevel");
    EXPECT_EQ(check(), 0) << output;
    EXPECT_TRUE(said("levels\\level1.kzm: won in 1 push (proven fewest)")) << output;
    EXPECT_TRUE(said("    R\n"));
    EXPECT_TRUE(said("levels\\level2.kzm: won in 1 push")) << output;
    EXPECT_TRUE(said("    rR\n"));
    EXPECT_TRUE(said("2 levels checked: every one readable, correctly chained and winnable"));
}

TEST_F(CheckChain, TheSlashFormOfTheFirstNameWorksToo) {
    writeLevel(1, room, "lastlevel");
    EXPECT_EQ(check("levels/level1.kzm"), 0) << output;
}

TEST_F(CheckChain, AMissingFirstOrNextLevelFails) {
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("levels\\level1.kzm: cannot be opened"));

    writeLevel(1, room, "levels\\level2.kzm");
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("the next level \"levels\\level2.kzm\" cannot be opened")) << output;

    writeLevel(1, room, "LastLevel");
    EXPECT_EQ(check(), 1) << "only the exact word ends the set";

    // A name the system refuses outright is reported like a missing file,
    // and the check still comes to its summary.
    std::string tooLong = "levels\\" + std::string(300, 'n') + ".kzm";
    writeLevel(1, room, tooLong);
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("the next level \"" + tooLong + "\" cannot be opened")) << output;
    EXPECT_TRUE(said("1 level checked: 1 level has problems")) << output;
}

TEST_F(CheckChain, ALoopFails) {
    writeLevel(1, room, "levels\\level2.kzm");
    writeLevel(2, room, "levels\\level1.kzm");
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("levels\\level2.kzm: chain: the next level \"levels\\level1.kzm\" loops back")) << output;
}

TEST_F(CheckChain, ALevelNamingAnotherFileAsItsOwnFails) {
    writeLevel(1, room, "levels\\level2.kzm");
    writeFile("levels/level2.kzm", levelText(room, "levels\\level1.kzm", "lastlevel", 1));
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("levels\\level2.kzm: chain: it names itself \"levels\\level1.kzm\", another file")) << output;

    writeFile("levels/level2.kzm", levelText(room, "levels\\gone.kzm", "lastlevel", 1));
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("which cannot be opened")) << output;
}

TEST_F(CheckChain, ShortMalformedAndOverlongFilesFail) {
    std::string whole = levelText(room, "levels\\level1.kzm", "lastlevel", 1);
    writeFile("levels/level1.kzm", whole + " 7");
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("format: there are tokens past the 930th")) << output;

    writeFile("levels/level1.kzm", whole.substr(0, whole.size() / 2));
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("format: the file ends after")) << output;
}

TEST(FileFormat, NamesTheFirstTokenTheGameCannotRead) {
    std::string whole = levelText(room, "levels\\level1.kzm", "lastlevel", 1);
    EXPECT_EQ(formatOf(whole), "");
    EXPECT_EQ(formatOf(whole + "\n\n  "), "") << "whitespace after the last token is fine";
    EXPECT_NE(formatOf("0 0 0 0 1").find("ends after 5 of the 930"), std::string::npos);
    EXPECT_NE(formatOf("0 0 x 0 1 0").find("token 3 "), std::string::npos);
    EXPECT_NE(formatOf("0 0 0 0 1 0 a b 3 99999999999").find("token 10 "), std::string::npos);
    EXPECT_NE(formatOf("0 0 0 0 1 0 a b 3 4x").find("token 11 "), std::string::npos);
}

TEST_F(CheckChain, BoardProblemsFail) {
    // A wall off the grid, and the right-hand column sticking out of it.
    writeLevel(1, "####\n#@$.#\n#####", "lastlevel", 1, 16, 1);
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("board: 2 walls are off the 20 x 13 grid, the first at (20, 2)")) << output;

    // A gap in the walls lets the player walk off the grid.
    writeLevel(1, "#####\n@$. #\n#####", "lastlevel", 1, 0, 1);
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("the walls do not enclose the player, who can walk off the grid to (-1, 2)")) << output;

    // A target in column 0 that never counts, though another wins the level.
    writeLevel(1, ".#####\n #@$.#\n #####", "lastlevel", 1, 0, 1);
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("1 target stands in column 0, where a box never counts, the first at (0, 1)")) << output;
    EXPECT_TRUE(said("won in 1 push")) << output;
}

TEST_F(CheckChain, ALevelThatCannotBeWonFails) {
    writeLevel(1, "#####\n#$  #\n# @.#\n#####", "lastlevel");
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(said("levels\\level1.kzm: cannot be won")) << output;
    EXPECT_TRUE(said("1 level checked: 1 level has problems")) << output;
}

TEST_F(CheckChain, ALevelTheSolverGivesUpOnIsUnknownNotLost) {
    writeLevel(1, "#########\n#.  $  .#\n# $ @ $ #\n#.  $  .#\n#########", "lastlevel", 4);
    std::ostringstream out;
    SearchLimits limits;
    limits.maxStates = 5;
    EXPECT_EQ(checkChain("levels\\level1.kzm", limits, out), 1);
    EXPECT_NE(out.str().find("unknown whether it can be won: gave up"), std::string::npos) << out.str();
}

TEST_F(CheckChain, SolveAndBenchReportOneLevelAndAChain) {
    writeLevel(1, "#######\n#@ $ .#\n#######", "lastlevel");
    std::ostringstream out;
    EXPECT_EQ(solveLevel("levels\\level1.kzm", SearchLimits(), out), 0);
    EXPECT_NE(out.str().find("    rRR\n"), std::string::npos) << out.str();
    std::ostringstream bench;
    EXPECT_EQ(benchChain("levels\\level1.kzm", SearchLimits(), bench), 0);
    EXPECT_NE(bench.str().find("expanded per second"), std::string::npos) << bench.str();
}

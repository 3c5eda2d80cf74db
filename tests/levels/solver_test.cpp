// The solver on small boards whose answers are known: the fewest pushes, a
// level that cannot be won, and the game's counting oddities. Where it
// matters the answer is checked against a slow search that tries every step
// with the game's own tryMove and isLevelComplete.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <random>
#include <sstream>

#include "files/level_file.h"
#include "level_builder.h"
#include "solve/push_search.h"
#include "solve/solver.h"
#include "rules/board.h"
#include "rules/completion.h"
#include "rules/moves.h"
#include "solve/lost_position.h"

namespace {

void load(const std::string& picture, int boxesToPlace, int left = 1, int top = 1) {
    std::istringstream in(levelText(picture, "levels\\test.kzm", "lastlevel", boxesToPlace, left, top));
    readLevel(in);
}

using Position = std::vector<int32_t>;

// The box slots that hold boxes; the free ones sit inside the wall slots
// that are free too, at (-1, -1), and never move.
int usedBoxSlots() {
    int used = 0;
    for (int i = 0; i < boxSlots; i++) {
        if (board.boxes[i].x != unusedSlot || board.boxes[i].y != unusedSlot) used = i + 1;
    }
    return used;
}

Position positionOfBoard(int slots) {
    Position position = {board.player.x, board.player.y};
    for (int i = 0; i < slots; i++) {
        position.push_back(board.boxes[i].x);
        position.push_back(board.boxes[i].y);
    }
    return position;
}

void setPosition(const Position& position) {
    board.player.x = position[0];
    board.player.y = position[1];
    for (int i = 0; 2 + 2 * i < int(position.size()); i++) {
        board.boxes[i].x = position[2 + 2 * i];
        board.boxes[i].y = position[3 + 2 * i];
    }
}

// The fewest pushes that make isLevelComplete true, found by trying every
// step from every position with the game's tryMove; -1 when none does. Only
// for small closed rooms: the player is kept within a few cells of the grid.
int fewestPushesByTryingEverything() {
    Board saved = board;
    const Direction* directions[4] = {&moveUp, &moveDown, &moveLeft, &moveRight};
    std::map<Position, int> best;
    std::deque<std::pair<Position, int>> queue;
    int slots = usedBoxSlots();
    Position start = positionOfBoard(slots);
    best[start] = 0;
    queue.emplace_back(start, 0);
    int answer = -1;
    while (!queue.empty() && answer < 0) {
        auto [position, pushes] = queue.front();
        queue.pop_front();
        if (best[position] < pushes) continue;
        setPosition(position);
        if (isLevelComplete()) answer = pushes;
        for (const Direction* direction : directions) {
            setPosition(position);
            uint32_t pushesBefore = board.timesPushed;
            if (!tryMove(*direction)) continue;
            if (board.player.x < -3 || board.player.x > 23 || board.player.y < -3 || board.player.y > 16) continue;
            bool pushed = board.timesPushed != pushesBefore;
            Position next = positionOfBoard(slots);
            int cost = pushes + (pushed ? 1 : 0);
            auto known = best.find(next);
            if (known != best.end() && known->second <= cost) continue;
            best[next] = cost;
            if (pushed) queue.emplace_back(next, cost);
            else queue.emplace_front(next, cost);
        }
    }
    board = saved;
    return answer;
}

SearchResult solve(uint64_t maxStates = 1000000) {
    SearchLimits limits;
    limits.maxStates = maxStates;
    limits.maxSeconds = 20;
    return solveBoard(limits);
}

// Solves the board in the Board and expects the same fewest pushes as trying
// everything, with a solution the game's own moves accept.
void expectFewestPushes(int expected, const std::string& what) {
    ASSERT_EQ(fewestPushesByTryingEverything(), expected) << what << ": the board itself is not as meant";
    SearchResult result = solve();
    if (expected < 0) {
        EXPECT_EQ(result.outcome, Outcome::unwinnable) << what;
        return;
    }
    ASSERT_EQ(result.outcome, Outcome::won) << what << ": " << result.why;
    EXPECT_EQ(result.pushes, expected) << what;
    EXPECT_TRUE(result.optimal) << what;
    std::string why;
    EXPECT_TRUE(replayWins(result.solution, &why)) << what << ": " << why;
}

// The greedy search and the one pulling from the targets, taking turns of
// one position each; where they meet, their pushes joined, or "" when they
// do not meet.
std::string meetingSolution() {
    Area area;
    std::string why;
    if (!buildArea(area, why) || !area.everyBoxOnTarget || area.stacked) return "";
    Distances distances, pulls;
    measureDistances(area, distances);
    measurePullDistances(area, pulls);
    SearchLimits limits;
    Search forward(area, distances, limits, 5, true), back(area, pulls, limits, 5, true);
    back.pulling = true;
    forward.others = {&back};
    back.others = {&forward};
    Search::Status one = forward.begin(), two = back.beginPulling();
    while (one == Search::running && two == Search::running) {
        one = forward.resume(1);
        if (one == Search::running) two = back.resume(1);
    }
    return forward.metWith || back.metWith ? spellOut(area, meetingPushes(forward, back)) : "";
}

// The positions an exact search and one pulling from the targets see to the
// end, the player's patch after each move walked or worked out from the one
// before: the same positions either way.
void expectSamePositionsWithPatchesWorkedOut(const std::string& picture) {
    Area area;
    std::string why;
    if (!buildArea(area, why) || !area.everyBoxOnTarget || area.stacked) return;
    Distances distances, pulls;
    measureDistances(area, distances);
    measurePullDistances(area, pulls);
    uint64_t seen[2][2] = {};
    for (int walk = 0; walk < 2; walk++) {
        Search forward(area, distances, SearchLimits(), 5, false), back(area, pulls, SearchLimits(), 5, false);
        forward.walkEveryPatch = back.walkEveryPatch = walk == 1;
        back.pulling = true;
        forward.run();
        if (back.beginPulling() == Search::running) back.resume(UINT64_MAX);
        seen[walk][0] = forward.seen();
        seen[walk][1] = back.seen();
    }
    EXPECT_EQ(seen[0][0], seen[1][0]) << picture;
    EXPECT_EQ(seen[0][1], seen[1][1]) << "pulling:\n" << picture;
}

const char* passOverFirst =
    "########\n"
    "#..$   #\n"
    "#####$ #\n"
    "    #@ #\n"
    "    ####";

}  // namespace

TEST(Solver, TheFirstLessonIsOnePush) {
    load("#####\n#@$.#\n#####", 1);
    SearchResult result = solve();
    ASSERT_EQ(result.outcome, Outcome::won);
    EXPECT_EQ(result.solution, "R");
    EXPECT_EQ(result.pushes, 1);
    EXPECT_TRUE(result.optimal);
}

TEST(Solver, WalksToTheBoxBeforePushingAndSpellsStepsInSmallLetters) {
    load("#######\n#@ $ .#\n#######", 1);
    SearchResult result = solve();
    ASSERT_EQ(result.outcome, Outcome::won);
    EXPECT_EQ(result.solution, "rRR");
}

TEST(Solver, ABoxInACornerCannotBeWon) {
    load("#####\n#$  #\n# @.#\n#####", 1);
    SearchResult result = solve();
    EXPECT_EQ(result.outcome, Outcome::unwinnable);
    EXPECT_EQ(result.solution, "");
}

TEST(Solver, WallsFarFromTheBoxesStillCloseTheRoom) {
    // The room runs well past the box, its target and the player; it is still
    // a closed room, so a box stuck against its wall is a loss, not a doubt.
    load("############\n#$.@       #\n############", 1);
    SearchResult result = solve();
    EXPECT_EQ(result.outcome, Outcome::unwinnable) << result.why;
}

TEST(Solver, ABoxMustPassOverATargetFirst) {
    load(passOverFirst, 2);
    expectFewestPushes(6, "the far target first");
}

TEST(Solver, FewerPairsThanBoxesLeavesTheSpareBoxWhereItIs) {
    // The box in the corner can never reach a target and need not.
    load("######\n#$   #\n#@$ .#\n######", 1);
    expectFewestPushes(2, "one pair of two boxes");
}

TEST(Solver, MoreTargetsThanBoxesTakesTheNearest) {
    load("########\n#. @$ ..#\n########", 1);
    expectFewestPushes(2, "three targets, one box");
}

TEST(Solver, ADuplicatedTargetCountsTwice) {
    load("######\n#@$. #\n######", 2);
    board.targets[1] = board.targets[0];
    expectFewestPushes(1, "one box on a doubled target makes two pairs");

    load("#######\n#@$. .#\n#######", 1);
    board.targets[2] = board.targets[0];
    expectFewestPushes(3, "the doubled target gives two pairs where one is wanted");
}

TEST(Solver, ACountAboveBoxesToPlaceIsNoWin) {
    load("######\n#@*  #\n#  * #\n######", 1);
    ASSERT_FALSE(isLevelComplete());
    expectFewestPushes(1, "one of two placed boxes must come off");
}

TEST(Solver, ABoxInColumnZeroNeverCounts) {
    load("#####\n#.$@#\n#####", 1, -1, 1);
    ASSERT_EQ(board.targets[0].x, 0);
    SearchResult result = solve();
    EXPECT_EQ(result.outcome, Outcome::unwinnable);

    load("######\n#.$@.#\n######", 1, -1, 1);
    expectFewestPushes(-1, "the only box can reach column 0 only; the other target is behind the player");
}

TEST(Solver, ALevelWonAsItIsLoadedNeedsNoMove) {
    load("#####\n#@$.#\n#####", 0);
    SearchResult result = solve();
    ASSERT_EQ(result.outcome, Outcome::won);
    EXPECT_EQ(result.solution, "");
    EXPECT_TRUE(result.optimal);

    load("#####\n#@*$#\n#####", 1);
    result = solve();
    ASSERT_EQ(result.outcome, Outcome::won);
    EXPECT_EQ(result.solution, "");
}

TEST(Solver, BoxesAndPlayersOnOddCellsFollowTheGamesRules) {
    // Two boxes on one target: two pairs until one is pushed off.
    load("######\n#@*  #\n######", 1);
    board.boxes[1] = board.boxes[0];
    expectFewestPushes(1, "two boxes on one target");

    // The player starts on a box, and only the box ahead of him can move.
    load("#######\n#@$ ..#\n#######", 2);
    board.boxes[1] = {board.player.x, board.player.y};
    expectFewestPushes(-1, "a box under the player never moves");

    // A box inside a wall can never move but counts when a target is there too.
    load("#######\n#@$ .##\n#######", 2);
    board.boxes[1] = {6, 2};
    board.targets[1] = {6, 2};
    expectFewestPushes(2, "a box in a wall on a target");

    // A player who starts inside a wall walks out of it.
    load("#######\n##$ . #\n#######", 1, 0, 1);
    board.player.x = board.player.startX = 1;
    board.player.y = board.player.startY = 2;
    expectFewestPushes(2, "starting inside the wall left of the box");
}

TEST(Solver, MatchesTryingEveryMoveOnASmallPuzzle) {
    load("#######\n#  .  #\n# $#$ #\n#. @ .#\n# $#  #\n#  .  #\n#######", 3);
    int expected = fewestPushesByTryingEverything();
    ASSERT_GT(expected, 0);
    SearchResult result = solve();
    ASSERT_EQ(result.outcome, Outcome::won);
    EXPECT_EQ(result.pushes, expected);
}

TEST(Solver, GivesUpAsUnknownPastItsLimits) {
    load("#########\n#.  $  .#\n# $ @ $ #\n#.  $  .#\n#########", 4);
    SearchResult result = solve(5);
    EXPECT_EQ(result.outcome, Outcome::unknown);
    EXPECT_NE(result.why.find("gave up"), std::string::npos) << result.why;
}

TEST(Solver, OnAnOpenBoardAWinIsFoundButNoLossIsClaimed) {
    load("@$.", 1, 5, 5);
    SearchResult result = solve();
    ASSERT_EQ(result.outcome, Outcome::won);
    EXPECT_EQ(result.solution, "R");
    EXPECT_FALSE(result.optimal) << "the player might have gone round the outside";

    load(".$@", 1, 5, 5);
    board.targets[0] = {0, 5};
    result = solve(20000);
    EXPECT_EQ(result.outcome, Outcome::unknown) << "the player could walk anywhere; nothing is proven";
}

TEST(Solver, ReplayRejectsWhatTheGameWouldNotDo) {
    load("#######\n#@ $ .#\n#######", 1);
    std::string why;
    EXPECT_TRUE(replayWins("rRR", &why)) << why;
    EXPECT_FALSE(replayWins("rrR", &why));
    EXPECT_NE(why.find("move 2"), std::string::npos) << why;
    EXPECT_FALSE(replayWins("rR", &why));
    EXPECT_NE(why.find("not won"), std::string::npos);
    EXPECT_FALSE(replayWins("lrRR", &why)) << "a step into a wall is refused";
    EXPECT_FALSE(replayWins("rRRrl", &why)) << "the game would have ended the level earlier";
    EXPECT_EQ(board.player.x, 2) << "the Board is left as it was";
}

TEST(Solver, OnRandomRoomsNoLostWarningIsWrongAndEveryFirstSolutionWins) {
    // Small closed rooms of random walls, boxes and targets: whatever the
    // lost-position warning, solve --any and solve say, and the searches
    // from both ends where they meet, is checked against trying every step
    // with the game's own moves. With three boxes, boxes
    // often fence off floor the player cannot reach, and cut it in two.
    std::mt19937 random(20261208);
    int lostSeen = 0, wonSeen = 0, metSeen = 0;
    for (int round = 0; round < 600; round++) {
        const int width = 5, height = 4, boxes = 1 + int(random() % 3);
        std::vector<std::string> rows(size_t(height + 2), std::string(size_t(width + 2), '#'));
        auto at = [&](int x, int y) -> char& { return rows[size_t(y)][size_t(x)]; };
        std::vector<std::pair<int, int>> inside;
        for (int y = 1; y <= height; y++) {
            for (int x = 1; x <= width; x++) inside.emplace_back(x, y);
        }
        std::shuffle(inside.begin(), inside.end(), random);
        size_t next = 0;
        for (auto [x, y] : inside) at(x, y) = random() % 5 == 0 ? '#' : ' ';
        for (int i = 0; i < boxes; i++) at(inside[next].first, inside[next].second) = '$', next++;
        for (int i = 0; i < boxes; i++) {
            char& c = at(inside[next].first, inside[next].second);
            c = c == '$' ? '*' : '.';
            next++;
        }
        at(inside[next].first, inside[next].second) = '@';
        std::string picture;
        for (const std::string& row : rows) picture += row + '\n';
        picture.pop_back();
        load(picture, boxes);
        int fewest = fewestPushesByTryingEverything();
        if (isPositionLost()) {
            lostSeen++;
            EXPECT_EQ(fewest, -1) << "called lost, but winnable:\n" << picture;
        }
        SearchLimits limits;
        limits.maxSeconds = 5;
        SearchResult any = solveBoard(limits, true);
        if (any.outcome == Outcome::won) {
            wonSeen++;
            std::string why;
            EXPECT_TRUE(replayWins(any.solution, &why)) << why << '\n' << picture;
            EXPECT_GE(any.pushes, fewest) << picture;
        } else {
            EXPECT_EQ(any.outcome, Outcome::unwinnable) << picture;
            EXPECT_EQ(fewest, -1) << "said unwinnable, but winnable:\n" << picture;
        }
        SearchResult exact = solveBoard(limits, false);
        EXPECT_EQ(exact.outcome == Outcome::won ? exact.pushes : -1, fewest) << picture;
        expectSamePositionsWithPatchesWorkedOut(picture);
        std::string met = meetingSolution();
        if (!met.empty()) {
            metSeen++;
            std::string why;
            EXPECT_TRUE(replayWins(met, &why)) << "where the searches met: " << why << '\n' << picture;
        }
    }
    EXPECT_GT(metSeen, 30) << "the searches from both ends should meet on some rooms";
    EXPECT_GT(lostSeen, 5) << "the rooms should hold some lost positions";
    EXPECT_GT(wonSeen, 30) << "the rooms should hold some winnable ones";
}

// Where a click sends the player: walks that push nothing, the cells a box
// can be pushed to, and push routes that take the fewest pushes, then the
// fewest steps, played back through the game's own moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <queue>
#include <string>
#include <utility>
#include <vector>

#include "level_builder.h"
#include "rules/board.h"
#include "rules/moves.h"
#include "solve/mouse_paths.h"

namespace {

// Plays the letters with the game's moves; false as soon as one does not do
// what its letter says: a step that is blocked or pushes, a push that does not.
bool playsAsSpelled(const std::string& moves) {
    for (char letter : moves) {
        const bool push = std::isupper(static_cast<unsigned char>(letter)) != 0;
        if (tryMove(directionOf(letter)).outcome != (push ? MoveOutcome::pushed : MoveOutcome::stepped)) return false;
    }
    return true;
}

int pushesIn(const std::string& moves) {
    auto isPush = [](char c) { return std::isupper(static_cast<unsigned char>(c)) != 0; };
    return int(std::count_if(moves.begin(), moves.end(), isPush));
}

// For every cell, the fewest (pushes, steps) that bring box 0 of a walled
// picture there, found the slow sure way over every cell of box and player;
// {-1, -1} where no moves do. Cells are numbered y * width + x, as the
// builder sets the picture's top-left corner at (1, 1).
constexpr int roomWidth = 12;
std::vector<std::pair<int, int>> fewestByExhaustion(const std::string& picture) {
    std::vector<char> what(roomWidth * roomWidth, '#');
    int x = 1, y = 1;
    for (char c : picture) {
        if (c == '\n') {
            x = 1;
            y++;
        } else {
            what[size_t(y * roomWidth + x++)] = c;
        }
    }
    const int cells = roomWidth * roomWidth, steps[4] = {-roomWidth, roomWidth, -1, 1};
    const int box = board.boxes[0].y * roomWidth + board.boxes[0].x;
    auto blocked = [&](int cell, int movingBox) {
        return what[size_t(cell)] == '#' || ((what[size_t(cell)] == '$' || what[size_t(cell)] == '*') && cell != box) ||
               cell == movingBox;
    };
    std::vector<std::pair<int, int>> fewest(size_t(cells), {-1, -1});
    std::vector<long> cost(size_t(cells) * cells, LONG_MAX);
    std::priority_queue<std::pair<long, int>, std::vector<std::pair<long, int>>, std::greater<>> open;
    const int start = (board.player.y * roomWidth + board.player.x) * cells + box;
    cost[size_t(start)] = 0;
    open.push({0, start});
    while (!open.empty()) {
        auto [spent, state] = open.top();
        open.pop();
        if (spent != cost[size_t(state)]) continue;
        const int player = state / cells, at = state % cells;
        if (fewest[size_t(at)].first < 0) fewest[size_t(at)] = {int(spent / 10000), int(spent % 10000)};
        for (int step : steps) {
            const int next = player + step, pushed = next == at;
            if (blocked(next, pushed ? -1 : at) || (pushed && blocked(at + step, at))) continue;
            const int nextState = next * cells + (pushed ? at + step : at);
            const long nextCost = spent + 1 + (pushed ? 10000 : 0);
            if (nextCost < cost[size_t(nextState)]) {
                cost[size_t(nextState)] = nextCost;
                open.push({nextCost, nextState});
            }
        }
    }
    return fewest;
}

struct MousePathTest : ::testing::Test {
    void SetUp() override {
        board.stepsTaken = 0;
        board.timesPushed = 0;
    }
};

}  // namespace

TEST_F(MousePathTest, AWalkGoesTheShortWayRoundWithoutPushing) {
    setBoardFromPicture("#######\n#@ #  #\n#  $  #\n#     #\n#######");
    MousePath path = walkPath(6, 2);
    ASSERT_EQ(path.outcome, PathOutcome::found);
    EXPECT_EQ(path.moves.size(), 8u) << path.moves;
    EXPECT_TRUE(playsAsSpelled(path.moves)) << path.moves;
    EXPECT_EQ(board.player.x, 6);
    EXPECT_EQ(board.player.y, 2);
    EXPECT_EQ(board.timesPushed, 0u);
}

TEST_F(MousePathTest, AWalkToAShutOffCellABoxOrAWallIsUnreachable) {
    setBoardFromPicture("#######\n#@ # .#\n#  #  #\n# $#  #\n#######");
    EXPECT_EQ(walkPath(6, 2).outcome, PathOutcome::unreachable) << "behind the wall";
    EXPECT_EQ(walkPath(3, 4).outcome, PathOutcome::unreachable) << "the box's own cell";
    EXPECT_EQ(walkPath(4, 3).outcome, PathOutcome::unreachable) << "a wall";
    EXPECT_EQ(walkPath(2, 2).outcome, PathOutcome::alreadyThere);
    EXPECT_TRUE(walkPath(2, 2).moves.empty());
}

TEST_F(MousePathTest, ABoxStaysOffWallsAndOtherBoxes) {
    // The box on the bottom row can only slide along it, and the other box
    // stops it on the right.
    setBoardFromPicture("#######\n#@    #\n#     #\n## $ $#\n #####");
    std::vector<std::pair<int, int>> got;
    for (const GridPos& cell : pushDestinations(0)) got.push_back({cell.x, cell.y});
    const std::vector<std::pair<int, int>> expected = {{3, 4}, {5, 4}};
    EXPECT_EQ(got, expected);
    EXPECT_EQ(pushPath(0, 6, 4).outcome, PathOutcome::unreachable) << "the other box's cell";
    EXPECT_EQ(pushPath(0, 4, 3).outcome, PathOutcome::unreachable) << "up, from inside the wall";
    EXPECT_EQ(pushPath(0, 4, 4).outcome, PathOutcome::alreadyThere);
}

TEST_F(MousePathTest, APushRouteWalksRoundTheBoxToPushItBack) {
    setBoardFromPicture("######\n#    #\n#  $@#\n#    #\n######");
    MousePath path = pushPath(0, 5, 3);
    ASSERT_EQ(path.outcome, PathOutcome::found);
    EXPECT_EQ(path.moves, "ulldR") << "up and round the box, then back";
    EXPECT_TRUE(playsAsSpelled(path.moves));
    EXPECT_EQ(board.boxes[0].x, 5);
    setBoardFromPicture("######\n#    #\n#  $@#\n#    #\n######");
    path = pushPath(0, 2, 2);
    EXPECT_EQ(pushesIn(path.moves), 3) << path.moves;
}

TEST_F(MousePathTest, FewerPushesWinOverFewerSteps) {
    // One push right, after the long walk round the loop, beats pushing the
    // box left, slipping round it through the pocket below and pushing it
    // back twice: seven moves in all, but three pushes.
    setBoardFromPicture("##########\n#        #\n# ###### #\n#    $@  #\n###   ####\n##########");
    MousePath path = pushPath(0, 7, 4);
    ASSERT_EQ(path.outcome, PathOutcome::found);
    EXPECT_EQ(pushesIn(path.moves), 1) << path.moves;
    EXPECT_EQ(path.moves.size(), 17u) << path.moves;
    EXPECT_TRUE(playsAsSpelled(path.moves)) << path.moves;
}

TEST_F(MousePathTest, RoutesMatchAnExhaustiveSearchAndPlayAsSpelled) {
    const char* rooms[] = {
        "#######\n#  #  #\n# $@  #\n#  #  #\n## # ##\n#     #\n#######",
        "########\n#   #  #\n# $  @ #\n## #   #\n#  # # #\n#  $   #\n########",
        "#######\n#@    #\n# ### #\n# #$  #\n#   # #\n#######",
    };
    int routes = 0;
    for (const char* room : rooms) {
        setBoardFromPicture(room);
        const std::vector<std::pair<int, int>> fewest = fewestByExhaustion(room);
        const int start = board.boxes[0].y * roomWidth + board.boxes[0].x;
        std::vector<int> expected, got;
        for (int cell = 0; cell < int(fewest.size()); cell++) {
            if (fewest[size_t(cell)].first >= 0 && cell != start) expected.push_back(cell);
        }
        for (const GridPos& cell : pushDestinations(0)) got.push_back(cell.y * roomWidth + cell.x);
        EXPECT_EQ(got, expected) << room;
        for (int cell : expected) {
            setBoardFromPicture(room);
            const int x = cell % roomWidth, y = cell / roomWidth;
            MousePath path = pushPath(0, x, y);
            const std::string where =
                std::string(room) + "\nto " + std::to_string(x) + "," + std::to_string(y) + ": " + path.moves;
            ASSERT_EQ(path.outcome, PathOutcome::found) << where;
            EXPECT_EQ(pushesIn(path.moves), fewest[size_t(cell)].first) << where;
            EXPECT_EQ(int(path.moves.size()), fewest[size_t(cell)].second) << where;
            ASSERT_TRUE(playsAsSpelled(path.moves)) << where;
            EXPECT_EQ(board.boxes[0].x, x) << where;
            EXPECT_EQ(board.boxes[0].y, y) << where;
            routes++;
        }
    }
    EXPECT_GT(routes, 20);
}

// The search over pushes on levels given as rows: tunnels taken in one move
// where that loses nothing, patches the player cannot reach, the bound on memory, levels larger than the
// Board, and the replay on the rows that stands in for the game's moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "solve/push_search.h"
#include "solve/solver.h"

namespace {

struct Searched {
    Search::Status status;
    uint64_t seen;
    std::string letters;
};

Searched searchRows(const std::vector<std::string>& rows, bool tunnels, uint64_t maxBytes = uint64_t(1) << 30,
                    bool greedy = true, bool corrals = false, bool* pruned = nullptr) {
    Area area;
    std::string why;
    EXPECT_TRUE(buildAreaFromRows(area, rows, why)) << why;
    Distances distances;
    measureDistances(area, distances);
    SearchLimits limits;
    limits.maxBytes = maxBytes;
    Search search(area, distances, limits, 10, greedy);
    search.useTunnels = tunnels;
    search.useCorrals = corrals;
    Search::Status status = search.run();
    if (pruned) *pruned = search.prunedCorral;
    return {status, search.seen(), status == Search::found ? spellOut(area, search.pushes) : ""};
}

bool wins(const std::vector<std::string>& rows, const std::string& letters) {
    std::string why;
    bool won = replayWinsOnRows(rows, letters, &why);
    EXPECT_TRUE(won) << why;
    return won;
}

SearchRun searchRoomByRoom(const std::vector<std::string>& rows, Area& area) {
    std::string why;
    EXPECT_TRUE(buildAreaFromRows(area, rows, why)) << why;
    return searchRoomByRoom(area, SearchLimits(), 10);
}

// Searches the rows room by room, checks that it wins and that the joined
// pushes win, and gives the cell of the first box pushed, or -1.
int winRoomByRoom(const std::vector<std::string>& rows, Area& area) {
    SearchRun run = searchRoomByRoom(rows, area);
    EXPECT_EQ(run.status, Search::found) << run.why;
    if (run.pushes.empty()) return -1;
    EXPECT_TRUE(wins(rows, spellOut(area, run.pushes)));
    return run.pushes.front().first;
}

// Two rooms; the left one's box is nearer the right room's target than its
// own.
const std::vector<std::string> twoRoomsOneBoxNearerTheOtherTarget = {
    "##############",
    "#.      #    #",
    "#     $      #",
    "#@      #. $ #",
    "##############",
};

// Shipped level 49, which the exact search proves in about 100,000 positions.
const std::vector<std::string> shippedLevel49 = {
    "#############",
    "#    ##@..  ##",
    "# $   .$ . # #",
    "#  #*### $ # #",
    "# $   #  #   #",
    "###  $ $ #   #",
    "#   .. ### ###",
    "# ##  ## #   #",
    "#######  #####",
};

// Shipped level 49, measured for the searches: the exact search settles it
// in a fraction of a second, which a bound of memory or positions cuts short.
class ShippedLevel49 : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(buildAreaFromRows(area, shippedLevel49, why)) << why;
        measureDistances(area, distances);
    }
    Area area;
    Distances distances;
    SearchLimits limits;
};
using SearchMemory = ShippedLevel49;
using SearchAny = ShippedLevel49;

}  // namespace

TEST(Tunnels, ABoxPushedIntoATunnelGoesToItsEndInOneMove) {
    const std::vector<std::string> rows = {
        "##########",
        "#@$     .#",
        "##########",
    };
    Searched step = searchRows(rows, false), tunnel = searchRows(rows, true);
    ASSERT_EQ(tunnel.status, Search::found);
    EXPECT_EQ(tunnel.letters, "RRRRRR");
    EXPECT_TRUE(wins(rows, tunnel.letters));
    EXPECT_LT(tunnel.seen, step.seen) << "the pushes inside the tunnel are not positions of their own";
}

TEST(Tunnels, TheBoxStopsOnATargetInTheTunnelAndWhereTheTunnelOpens) {
    // Pushed on past the target, the box could never come back.
    const std::vector<std::string> target = {
        "##########",
        "#@$  .   #",
        "##########",
    };
    Searched found = searchRows(target, true);
    ASSERT_EQ(found.status, Search::found);
    EXPECT_EQ(found.letters, "RRR");
    // Where the tunnel opens into a room the box is left for the player to
    // walk round: here it must then go up, not on.
    const std::vector<std::string> opening = {
        "#######",
        "###  .#",
        "#@$   #",
        "###  ##",
        "#######",
    };
    found = searchRows(opening, true);
    ASSERT_EQ(found.status, Search::found);
    EXPECT_TRUE(wins(opening, found.letters));
}

TEST(Tunnels, ALevelIsCalledLostOnlyByTheSearchThatStopsInTunnels) {
    // The first box runs up against the second and neither can reach the
    // targets: lost, as the search without tunnels proves.
    const std::vector<std::string> lost = {
        "###########",
        "#@$    $..#",
        "###########",
    };
    Area area;
    std::string why;
    ASSERT_TRUE(buildAreaFromRows(area, lost, why)) << why;
    Distances distances;
    measureDistances(area, distances);
    SearchLimits limits;
    SearchRun any = searchAny(area, distances, limits, 5);
    EXPECT_EQ(any.status, Search::exhausted);
    EXPECT_EQ(searchRows(lost, false).status, Search::exhausted);
}

TEST(Corrals, APatchThatCanNeverBeOpenedLosesTheLevelAtOnce) {
    // Walled in between its two boxes, the player can push only those, and
    // whatever he does with them no box gets into the bottom corners: the
    // search without this rule took 40,000 positions to see it.
    const std::vector<std::string> lost = {
        "############",
        "#.  $  $  .#",
        "# $  ##  $ #",
        "#.  $@ $  .#",
        "#.   ##   .#",
        "############",
    };
    Searched exact = searchRows(lost, false, uint64_t(1) << 30, false);
    EXPECT_EQ(exact.status, Search::exhausted);
    EXPECT_LE(exact.seen, 3u);
    // The same walls with patches that can be opened: won.
    const std::vector<std::string> open = {
        "###########",
        "#. $ @ $ .#",
        "###########",
    };
    Searched won = searchRows(open, false, uint64_t(1) << 30, false);
    ASSERT_EQ(won.status, Search::found);
    EXPECT_TRUE(wins(open, won.letters));
}

TEST(Corrals, OnlyPushesIntoAClosedOffPatchThatWantsWorkAreTriedFirst) {
    const std::vector<std::string> two = {
        "###########",
        "#. $ @ $ .#",
        "###########",
    };
    bool pruned = false;
    Searched with = searchRows(two, false, uint64_t(1) << 30, true, true, &pruned);
    Searched without = searchRows(two, false);
    ASSERT_EQ(with.status, Search::found);
    EXPECT_TRUE(pruned);
    EXPECT_TRUE(wins(two, with.letters));
    EXPECT_LT(with.seen, without.seen);
    // The exact search prunes the same way and keeps the fewest pushes.
    Searched exact = searchRows(two, false, uint64_t(1) << 30, false, true, &pruned);
    EXPECT_TRUE(pruned);
    auto pushes = [](const std::string& letters) {
        return std::count_if(letters.begin(), letters.end(), [](char c) { return std::isupper(c); });
    };
    EXPECT_EQ(pushes(exact.letters), pushes(searchRows(two, false, uint64_t(1) << 30, false).letters));
    // The patch on the left holds a box on its target and no empty one: it
    // wants no work, and every push stays open.
    const std::vector<std::string> done = {
        "#######",
        "# *@  #",
        "### $ #",
        "###  .#",
        "#######",
    };
    Searched again = searchRows(done, false, uint64_t(1) << 30, true, true, &pruned);
    ASSERT_EQ(again.status, Search::found);
    EXPECT_FALSE(pruned);
}

TEST(Pulling, ASearchPullingFromTheTargetsMeetsTheOneFromTheStart) {
    const std::vector<std::string> rows = {
        "#########",
        "#@      #",
        "# $ $ $ #",
        "#       #",
        "#...    #",
        "#########",
    };
    Area area;
    std::string why;
    ASSERT_TRUE(buildAreaFromRows(area, rows, why)) << why;
    Distances distances, pullDistances;
    measureDistances(area, distances);
    measurePullDistances(area, pullDistances);
    SearchLimits limits;
    // Alone, the pulling search never wins: it only walks back to the start.
    Search alone(area, pullDistances, limits, 10, true);
    alone.pulling = true;
    Search::Status status = alone.beginPulling();
    EXPECT_EQ(status == Search::running ? alone.resume(UINT64_MAX) : status, Search::exhausted);
    Search forward(area, distances, limits, 10, true), back(area, pullDistances, limits, 10, true);
    back.pulling = true;
    forward.others = {&back};
    back.others = {&forward};
    ASSERT_EQ(forward.begin(), Search::running);
    ASSERT_EQ(back.beginPulling(), Search::running);
    Search::Status one = Search::running, two = Search::running;
    while (one == Search::running && two == Search::running) {
        one = forward.resume(1);
        if (one == Search::running) two = back.resume(1);
    }
    ASSERT_TRUE(one == Search::found || two == Search::found);
    ASSERT_TRUE(forward.meetMine != UINT32_MAX || back.meetMine != UINT32_MAX) << "the two met halfway";
    EXPECT_TRUE(wins(rows, spellOut(area, meetingPushes(forward, back))));

    // Run side by side, on two cores, neither looks in the other's table
    // while it grows; each one's new positions are looked up afterwards.
    Search ahead(area, distances, limits, 10, true), behind(area, pullDistances, limits, 10, true);
    behind.pulling = true;
    ASSERT_EQ(ahead.begin(), Search::running);
    ASSERT_EQ(behind.beginPulling(), Search::running);
    bool met = false;
    for (int turn = 0; turn < 1000 && !met; turn++) {
        uint32_t aheadFrom = uint32_t(ahead.seen()), behindFrom = uint32_t(behind.seen());
        ASSERT_EQ(ahead.resume(1), Search::running) << "a win of its own before they met";
        ASSERT_EQ(behind.resume(1), Search::running);
        ahead.others = {&behind};
        behind.others = {&ahead};
        met = ahead.metSince(aheadFrom) || behind.metSince(behindFrom);
        ahead.others.clear();
        behind.others.clear();
    }
    ASSERT_TRUE(met);
    EXPECT_TRUE(wins(rows, spellOut(area, meetingPushes(ahead, behind))));
}

TEST_F(SearchMemory, TheSearchGivesUpAtItsBoundInBytes) {
    limits.maxBytes = 200000;
    Search search(area, distances, limits, 10, false);
    ASSERT_EQ(search.run(), Search::gaveUp);
    EXPECT_NE(search.why.find("memory"), std::string::npos) << search.why;
    EXPECT_LE(search.peakBytes, limits.maxBytes);
    EXPECT_GT(search.peakBytes, limits.maxBytes / 2) << "most of the bound is used";

    // The greedy search running out of memory first lets the pulling one
    // go and goes on alone; what the searches sharing the bound report is
    // what they held together, which the bound keeps within it.
    // So do they side by side on two cores, each taking half of what is
    // left for a turn.
    for (bool secondCore : {false, true}) {
        for (uint64_t maxBytes : {60000, 300000}) {
            limits.maxBytes = maxBytes;
            limits.secondCore = secondCore;
            SearchRun any = searchAny(area, distances, limits, 10);
            EXPECT_EQ(any.status, Search::gaveUp);
            EXPECT_LE(any.peakBytes, limits.maxBytes);
        }
    }
}

TEST_F(SearchAny, ABoundOfPositionsSearchesTheSamePositionsEveryTime) {
    // Bounded by positions, the exact search gives up and the greedy and
    // pulling ones go on. On two cores their turns would end where the clock
    // fell; bounded so, they keep to one.
    limits.maxStates = 20000;
    SearchRun first = searchAny(area, distances, limits, 60);
    for (int again = 0; again < 3; again++) {
        SearchRun run = searchAny(area, distances, limits, 60);
        EXPECT_EQ(run.expanded, first.expanded);
        EXPECT_EQ(run.seen, first.seen);
        EXPECT_EQ(run.pushes, first.pushes);
    }
}

TEST_F(SearchAny, TheExactSearchsFewestIsKeptOverTheGreedyWinBesideIt) {
    // On two cores the greedy search runs beside the exact one from the
    // start and wins this level first, with more pushes; the exact one
    // settles it within its share all the same, and its fewest is what the
    // search gives.
    SearchRun fewest = searchFewest(area, distances, limits, 60);
    ASSERT_EQ(fewest.status, Search::found);
    Search greedy(area, distances, limits, 60, true);
    greedy.useTunnels = greedy.useCorrals = true;
    ASSERT_EQ(greedy.run(), Search::found);
    ASSERT_GT(greedy.pushes.size(), fewest.pushes.size());
    ASSERT_LT(greedy.expanded, fewest.expanded) << "the greedy search wins first";
    for (bool secondCore : {false, true}) {
        limits.secondCore = secondCore;
        SearchRun run = searchAny(area, distances, limits, 60);
        EXPECT_TRUE(run.fewest);
        EXPECT_EQ(run.pushes, fewest.pushes);
    }
}

TEST(LargeLevels, ALevelOf64By64CellsAnd400BoxesIsSearched) {
    // A hall of 64 x 64 cells, far past the Board, with 400 boxes: 399 packed
    // on their targets in a corner and one outside its gap. Every count and
    // cell number goes past 255.
    std::vector<std::string> rows(64, std::string(64, ' '));
    for (int i = 0; i < 64; i++) rows[0][i] = rows[63][i] = rows[i][0] = rows[i][63] = '#';
    for (int y = 1; y <= 20; y++) {
        for (int x = 1; x <= 20; x++) rows[y][x] = '*';
    }
    rows[20][20] = '.';
    rows[20][22] = '$';
    rows[40][40] = '@';
    SearchLimits limits;
    limits.maxSeconds = 30;
    SearchResult result = solveRows(rows, limits, true, [&](const std::string& letters, std::string* why) {
        return replayWinsOnRows(rows, letters, why);
    });
    ASSERT_EQ(result.outcome, Outcome::won) << result.why;
    EXPECT_EQ(result.pushes, 2);
}

TEST(ReplayOnRows, RefusesWhatTheRulesRefuse) {
    const std::vector<std::string> rows = {"#######", "#@ $ .#", "#######"};
    std::string why;
    EXPECT_TRUE(replayWinsOnRows(rows, "rRR", &why)) << why;
    EXPECT_FALSE(replayWinsOnRows(rows, "rrR", &why));
    EXPECT_NE(why.find("move 2"), std::string::npos) << why;
    EXPECT_FALSE(replayWinsOnRows(rows, "rR", &why));
    EXPECT_NE(why.find("not won"), std::string::npos) << why;
    EXPECT_FALSE(replayWinsOnRows(rows, "lrRR", &why)) << "a step into a wall is refused";
    EXPECT_FALSE(replayWinsOnRows(rows, "rRRl", &why)) << "the level was won before the last move";
    EXPECT_FALSE(replayWinsOnRows({"#######", "#@$$ .#", "#######"}, "R", &why)) << "two boxes in a row do not move";
}

TEST(CellMarks, AMarkLeftBeforeTheStampsRunOutIsNeverTakenForANewOne) {
    CellMarks marks;
    marks.reset(4);
    marks.stamps[2] = marks.fresh();  // the first walk's mark
    marks.stamp = UINT32_MAX;         // four billion walks later
    for (int walk = 0; walk < 3; walk++) {
        marks.fresh();
        EXPECT_FALSE(marks.has(2)) << "walk " << walk << " after the stamps ran out";
    }
}

TEST(RoomByRoom, ARoomThatShutsAnotherIsWonAfterItInstead) {
    // The left room's box, won first, fills the door's target and shuts the
    // player out of the right room; won the other way round, both rooms are.
    const std::vector<std::string> rows = {
        "########",
        "#   #  #",
        "#@$ .$.#",
        "#   #  #",
        "########",
    };
    Area area;
    SearchRun run = searchRoomByRoom(rows, area);
    ASSERT_EQ(run.status, Search::found) << run.why;
    std::string letters = spellOut(area, run.pushes);
    EXPECT_EQ(letters, "urrdrRllulldRR") << "the right room first";
    EXPECT_TRUE(wins(rows, letters));

    // One room has nothing to split: the search gives up at once, calling
    // nothing lost.
    const std::vector<std::string> one = {
        "#######",
        "#@$ . #",
        "#  $. #",
        "#######",
    };
    run = searchRoomByRoom(one, area);
    EXPECT_EQ(run.status, Search::gaveUp);
    EXPECT_EQ(run.expanded, 0u);
}

TEST(RoomByRoom, ARoomIsWonSoThatThePlayerCanStillLeaveIt) {
    // Each side room's box is nearest the target in its own door, which
    // shuts the player in; the target at the far end keeps the door open.
    // The room won first must take that one, whichever it is.
    const std::vector<std::string> rows = {
        "#############",
        "#@ .#   #.  #",
        "#   #   #   #",
        "#  $.   .$  #",
        "#   #   #   #",
        "#############",
    };
    Area area;
    winRoomByRoom(rows, area);
}

TEST(RoomByRoom, ARoomOutOfReachKeepsNoOtherWaiting) {
    // The right room lies behind the box in its door. Winning the left room
    // cannot shut the player out of it, so the left room is won in its turn,
    // first, rather than waiting for the door to open.
    const std::vector<std::string> rows = {
        "##############",
        "#  . #    #  #",
        "#  $   $. $ .#",
        "# @  #    #$ #",
        "#    #    #. #",
        "##############",
    };
    Area area;
    int first = winRoomByRoom(rows, area);
    EXPECT_EQ(first, area.cellOf(3, 2)) << "the left room first";
}

TEST(RoomByRoom, ARoomKeepsToItsOwnTargets) {
    // The left box is nearer the right room's target than its own; taking
    // it would leave the right room's box, which can only slide along the
    // wall, none.
    const std::vector<std::string>& rows = twoRoomsOneBoxNearerTheOtherTarget;
    Area area;
    int first = winRoomByRoom(rows, area);
    EXPECT_EQ(first, area.cellOf(6, 2)) << "the left room first, to its own target";
}

TEST(RoomByRoom, AWinOnTheSecondCoreEndsTheSearchRoomByRoom) {
    // Beside the search room by room, the greedy search may win the whole
    // level first; then neither the rooms nor a room's search go on.
    const std::vector<std::string>& rows = twoRoomsOneBoxNearerTheOtherTarget;
    Area area;
    std::string why;
    ASSERT_TRUE(buildAreaFromRows(area, rows, why)) << why;
    std::atomic<bool> won{true};
    SearchLimits limits;
    limits.giveUpWhen = &won;
    SearchRun run = searchRoomByRoom(area, limits, 10);
    EXPECT_EQ(run.status, Search::gaveUp);
    EXPECT_EQ(run.expanded, 0u);
    Distances distances;
    measureDistances(area, distances);
    Search room(area, distances, limits, 10, true);
    EXPECT_EQ(room.run(), Search::gaveUp);
    won = false;
    EXPECT_EQ(searchRoomByRoom(area, limits, 10).status, Search::found);
}

TEST(RoomByRoom, ARoomShortOfTargetsIsJoinedWithTheNearestThatHasOneToSpare) {
    // The left room has two boxes and one target, the middle one a target
    // and no box; the right room has a target for its box and stays apart.
    const std::vector<std::string> rows = {
        "#############",
        "#@  #   #   #",
        "# $$  .   $.#",
        "#.  #   #   #",
        "#############",
    };
    Area area;
    winRoomByRoom(rows, area);
    std::vector<int> group = firstGroups(area);
    auto at = [&](int x, int y) { return group[area.cellOf(x, y)]; };
    EXPECT_EQ(at(1, 1), at(6, 2));
    EXPECT_EQ(at(1, 1), at(4, 2)) << "with the door on the way";
    EXPECT_NE(at(1, 1), at(10, 2));
}

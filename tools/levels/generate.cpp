// Making a chain of fresh levels: rooms and positions from the yard maker,
// each level searched with the game's solver until its fewest pushes are
// proven, then written as text and imported as the game's level files.
#include "levels/generate.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unordered_set>
#include <vector>

#include "files/level_file.h"
#include "levels/collection_files.h"
#include "levels/notation.h"
#include "levels/yard_maker.h"
#include "solve/solver.h"

namespace fs = std::filesystem;

namespace {

struct Made {
    std::vector<std::string> picture;
    int pushes = 0;
    uint64_t searched = 0;
    double hardness = 0;
};

// The size of room and number of boxes for a try: longer solutions want more
// boxes and more floor for them to travel.
void drawSizes(Dice& dice, const GenerateRequest& request, int& boxes, int& width, int& height) {
    int middle = (request.fewestPushes + request.mostPushes) / 2;
    int fewestBoxes = middle < 20 ? 2 : middle < 45 ? 3 : middle < 80 ? 4 : 5;
    boxes = fewestBoxes + roll(dice, 3);
    width = std::min(boardColumns, 7 + boxes + roll(dice, 5));
    height = std::min(boardRows, 6 + boxes / 2 + roll(dice, 3));
}

// Targets on floor cells of their own, drawn near one another more often
// than not, as a store would be laid out.
std::vector<int> drawTargets(Dice& dice, const Room& room, int boxes) {
    std::vector<int> floor;
    for (int cell = 0; cell < int(room.wall.size()); cell++) {
        if (room.isFloor(cell)) floor.push_back(cell);
    }
    std::vector<int> targets;
    while (int(targets.size()) < boxes && !floor.empty()) {
        int pick = roll(dice, int(floor.size()));
        if (!targets.empty() && roll(dice, 3) != 0) {
            // Beside a target already placed, when there is room.
            std::vector<int> beside;
            for (int t : targets) {
                for (int d = 0; d < 4; d++) {
                    auto at = std::find(floor.begin(), floor.end(), t + room.step[d]);
                    if (at != floor.end()) beside.push_back(int(at - floor.begin()));
                }
            }
            if (!beside.empty()) pick = beside[roll(dice, int(beside.size()))];
        }
        targets.push_back(floor[pick]);
        floor.erase(floor.begin() + pick);
    }
    std::sort(targets.begin(), targets.end());
    return targets;
}

std::string pushesText(int pushes) { return std::to_string(pushes) + (pushes == 1 ? " push" : " pushes"); }

// How hard a level is, from the fewest pushes that win it and the positions
// the solver searched to prove that; the shipped levels rise by this order.
double difficulty(int pushes, uint64_t positionsSearched) {
    return pushes + 10.0 * std::log10(1.0 + double(positionsSearched));
}

}  // namespace

int generateChain(const GenerateRequest& request, const std::string& folder, std::ostream& out) {
    std::string problem = chainFolderProblem(folder);
    if (!problem.empty()) {
        out << "boxyard-levels: " << problem << '\n';
        return 1;
    }
    Dice dice(request.seed);
    SearchLimits limits;
    limits.maxStates = request.maxStates;
    // Only the count of positions may end a search: a clock would make the
    // same seed give other levels on a busier machine.
    limits.maxSeconds = 1e12;
    const bool breadthFirst = request.mostPushes <= 60;
    const size_t pullBudget = 300000;
    std::vector<Made> made;
    std::unordered_set<std::string> shapes;
    const int tries = request.count * 400;
    for (int attempt = 0; attempt < tries && int(made.size()) < request.count; attempt++) {
        int boxes = 0, width = 0, height = 0;
        drawSizes(dice, request, boxes, width, height);
        Yard yard;
        yard.room = buildRoom(dice, width, height);
        if (yard.room.floorCount() < boxes * 3 + 6) continue;
        yard.targets = drawTargets(dice, yard.room, boxes);
        tidyRoom(yard.room, yard.targets);
        // Breadth-first pulling finds the deepest positions of a room but
        // reaches only so deep; past that, boxes are pulled far away instead.
        if (breadthFirst) {
            if (!pullBack(yard, request.fewestPushes, request.mostPushes, pullBudget, dice)) continue;
        } else {
            int aim = request.fewestPushes + roll(dice, request.mostPushes - request.fewestPushes + 1);
            pullAway(yard, 20000, aim, dice);
        }
        if (!yardFaults(yard).empty()) continue;
        Made level;
        level.picture = yardPicture(yard);
        std::string shape = sameShapeKey(level.picture);
        if (shapes.count(shape)) continue;
        PlacedLevel placed;
        if (!placeLevel(level.picture, placed).empty()) continue;
        std::istringstream file(levelFileText(placed, "levels\\level1.kzm", "lastlevel"));
        readLevel(file);
        SearchResult result = solveBoard(limits);
        if (result.outcome != Outcome::won || !result.optimal) continue;
        if (result.pushes < request.fewestPushes || result.pushes > request.mostPushes) continue;
        shapes.insert(shape);
        level.pushes = result.pushes;
        level.searched = result.statesSeen;
        level.hardness = difficulty(level.pushes, level.searched);
        made.push_back(level);
        out << "made " << made.size() << " of " << request.count << ": " << pushesText(level.pushes)
            << " (proven fewest), " << level.searched << " positions searched\n";
        out.flush();
    }
    if (made.empty()) {
        out << "boxyard-levels: no level with " << request.fewestPushes << " to " << request.mostPushes
            << " pushes was made in " << tries << " tries\n";
        return 1;
    }
    std::stable_sort(made.begin(), made.end(), [](const Made& a, const Made& b) { return a.hardness < b.hardness; });

    std::error_code error;
    fs::create_directories(folder, error);
    fs::path textPath = fs::path(folder) / "levels.txt";
    {
        std::ofstream text(textPath, std::ios::out | std::ios::binary | std::ios::trunc);
        text << "; boxyard: levels made by boxyard-levels generate --count " << request.count << " --pushes "
             << request.fewestPushes << '-' << request.mostPushes << " --seed " << request.seed << " --max-states "
             << request.maxStates << "\n; easiest first, each proven by the solver; written into this folder with\n"
             << "; boxyard-levels import " << textPath.string() << ' ' << folder << "\n\n";
        for (size_t i = 0; i < made.size(); i++) {
            text << "Title: Fresh yard " << i + 1 << "\n; " << pushesText(made[i].pushes) << " (proven fewest), "
                 << made[i].searched << " positions searched\n";
            for (const std::string& row : made[i].picture) text << row << '\n';
            text << '\n';
        }
        if (!text) {
            out << "boxyard-levels: cannot write \"" << textPath.string() << "\"\n";
            return 1;
        }
    }
    if (importCollection(textPath.string(), folder, out) != 0) return 1;
    if (int(made.size()) < request.count) {
        out << "boxyard-levels: only " << made.size() << " of the " << request.count << " levels asked for were made in "
            << tries << " tries; try a wider range of pushes\n";
        return 1;
    }
    return 0;
}

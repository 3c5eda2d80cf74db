// Counts the most pairs the boxes could still make: a box that can never move
// keeps the pairs of its cell, any other box at most the best target cell it
// could be pushed to, ignoring the other boxes. When even that falls short of
// boxesToPlace, no play can win.
#include "solve/lost_position.h"

#include "solve/push_search.h"

bool isPositionLost() {
    Area area;
    std::string why;
    if (!buildArea(area, why)) return false;
    Distances distances;
    measureDistances(area, distances);
    return isAreaLost(area, distances);
}

bool isAreaLost(const Area& area, const Distances& distances) {
    // A player who can walk out past the walls can push boxes anywhere.
    if (!area.prunable) return false;
    int cells = int(area.kind.size());
    std::vector<uint16_t> boxCount(cells, 0);
    std::vector<uint8_t> mark(cells, 0);
    for (uint16_t box : area.boxes) boxCount[box]++;
    // Where every box must end on a target, a box that can only slide onto
    // cells it can never leave for a target is as good as frozen. With spare
    // boxes it is not: pushing it there may free another box.
    const bool deadCellsHold = area.everyBoxOnTarget && !area.stacked;
    int64_t mostPairs = 0;
    for (uint16_t box : area.boxes) {
        int64_t best = distances.mostPairs[box];
        bool offTarget = false;
        if (!area.stacked && isFrozen(area, distances, boxCount, mark, deadCellsHold, box, offTarget)) {
            best = deadCellsHold && offTarget ? 0 : area.pairs[box];
        }
        mostPairs += best;
    }
    return mostPairs < area.pairsNeeded;
}

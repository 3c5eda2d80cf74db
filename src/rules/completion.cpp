// The completion test counts pairs, not boxes: a box on a target listed twice
// counts twice, as do two boxes on one target. Column 0 never counts, and
// neither do free slots, whose column is -1.
#include "rules/completion.h"

#include "rules/board.h"

bool isLevelComplete() {
    int32_t count = 0;
    for (const GridPos& box : board.boxes) {
        if (box.x <= 0) continue;
        for (const GridPos& target : board.targets) {
            if (box.x == target.x && box.y == target.y) count++;
        }
    }
    return count == board.boxesToPlace;
}

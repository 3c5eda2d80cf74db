// The completion test counts pairs, not boxes: a box on a target listed twice
// counts twice, as do two boxes on one target. Column 0 never counts, and
// neither do free slots, whose column is -1.
#include "rules/completion.h"

#include "rules/board.h"

bool isLevelComplete() {
    int32_t count = 0;
    for (int i = 0; i < boxSlots; i++) {
        for (int j = 0; j < targetSlots; j++) {
            if (board.boxes[i].x == board.targets[j].x && board.boxes[i].y == board.targets[j].y &&
                board.boxes[i].x > 0) {
                count++;
            }
        }
    }
    return count == board.boxesToPlace;
}

// The menu's ring of entries and where the cursor stands for each.
#include "view/menu_entries.h"

int entryAbove(int entry) { return entry == menuNewGame ? menuExit : entry - 1; }

int entryBelow(int entry) { return entry == menuExit ? menuNewGame : entry + 1; }

int cursorRowOf(int entry) {
    switch (entry) {
        case menuNewGame: return 64;
        case menuSavedGame: return 92;
        case menuInstructions: return 122;
        default: return 152;
    }
}

int entryAtPoint(int x, int y) {
    // Each entry's slot on the wooden board runs from x 56 to 438, from two
    // pixels above its cursor's row to one below the cursor's foot.
    if (x < 56 || x > 438) return 0;
    for (int entry = menuNewGame; entry <= menuExit; entry++) {
        if (y >= cursorRowOf(entry) - 2 && y <= cursorRowOf(entry) + 25) return entry;
    }
    return 0;
}

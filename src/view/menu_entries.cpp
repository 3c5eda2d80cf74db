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

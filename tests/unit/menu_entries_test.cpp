// The menu's entries form a ring, and the cursor stands on each entry's row.
#include <gtest/gtest.h>

#include "view/menu_entries.h"

TEST(MenuEntries, UpAndDownWalkARing) {
    EXPECT_EQ(entryAbove(menuNewGame), menuExit);
    EXPECT_EQ(entryBelow(menuExit), menuNewGame);
    for (int entry = menuNewGame; entry <= menuExit; entry++) {
        EXPECT_EQ(entryBelow(entryAbove(entry)), entry);
        EXPECT_NE(entryAbove(entry), entry);
    }
    EXPECT_EQ(entryBelow(menuNewGame), menuSavedGame);
    EXPECT_EQ(entryAbove(menuExit), menuInstructions);
}

TEST(MenuEntries, CursorRowsMatchThePaintedEntries) {
    EXPECT_EQ(cursorRowOf(menuNewGame), 64);
    EXPECT_EQ(cursorRowOf(menuSavedGame), 92);
    EXPECT_EQ(cursorRowOf(menuInstructions), 122);
    EXPECT_EQ(cursorRowOf(menuExit), 152);
}

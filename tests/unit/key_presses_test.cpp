// Held keys turned into presses: one action per press, however long the
// finger stays down, and a steady walk after a pause for keys that repeat.
#include <gtest/gtest.h>

#include "input/key_presses.h"

namespace {

// Feeds a key held for `ticks` looks, one per clock step from `start`, and
// counts the actions.
int actionsWhileHeld(KeyRepeat& repeat, unsigned start, int ticks) {
    int actions = 0;
    for (int t = 0; t < ticks; t++) actions += keyPressedOrRepeated(repeat, true, start + unsigned(t), 24, 6);
    keyPressedOrRepeated(repeat, false, start + unsigned(ticks), 24, 6);
    return actions;
}

}  // namespace

TEST(KeyPresses, APressActsOnceHoweverLongItIsHeld) {
    KeyLatch latch;
    resetKeyLatch(latch);
    int actions = 0;
    for (int look = 0; look < 100; look++) actions += keyPressed(latch, true);
    EXPECT_EQ(actions, 1);
    EXPECT_FALSE(keyPressed(latch, false));
    EXPECT_TRUE(keyPressed(latch, true)) << "let go and pressed again, it acts again";
}

TEST(KeyPresses, AKeyHeldOverFromBeforeWaitsToBeLetGo) {
    KeyLatch latch;
    holdOver(latch, true);
    EXPECT_FALSE(keyPressed(latch, true));
    EXPECT_FALSE(keyPressed(latch, false));
    EXPECT_TRUE(keyPressed(latch, true));
    holdOver(latch, false);
    EXPECT_TRUE(keyPressed(latch, true)) << "a key that was up is pressed as soon as it goes down";

    KeyRepeat repeat;
    resetKeyRepeat(repeat);
    holdOver(repeat, true);
    EXPECT_EQ(actionsWhileHeld(repeat, 0, 200), 0) << "a held-over key never walks on by itself";
    EXPECT_EQ(actionsWhileHeld(repeat, 300, 1), 1);
}

TEST(KeyPresses, AHeldKeyWalksOnAfterItsPauseAtItsPace) {
    KeyRepeat repeat;
    resetKeyRepeat(repeat);
    EXPECT_EQ(actionsWhileHeld(repeat, 0, 1), 1);
    EXPECT_EQ(actionsWhileHeld(repeat, 10, 24), 1) << "no second action before the pause is over";
    EXPECT_EQ(actionsWhileHeld(repeat, 50, 25), 2);
    EXPECT_EQ(actionsWhileHeld(repeat, 100, 24 + 60), 1 + 10) << "then one each interval";
    // The caller's clock may wrap round while a key is held.
    EXPECT_EQ(actionsWhileHeld(repeat, 0xFFFFFFF0u, 25), 2);
}

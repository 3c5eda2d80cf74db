// The 60 Hz heartbeat: the library's timer calls the handler sixty times a
// second, and a tick counted by the timer thread is never lost or doubled by
// the play loop taking it away on the main thread.
#include <allegro.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "input/ticks.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Counts `ticks` ticks on a thread of its own, as the library's timer thread
// does, while this thread takes them away as the play loop does: while any is
// pending, take one. Returns how many were taken once the counting is over and
// nothing is left pending.
long addAndTake(long ticks, std::chrono::milliseconds loopAwayFirst) {
    std::atomic<bool> timerDone(false);
    std::thread timer([&] {
        for (long i = 0; i < ticks; i++) tickHandler();
        timerDone.store(true);
    });
    std::this_thread::sleep_for(loopAwayFirst);
    long taken = 0;
    for (;;) {
        bool lastPass = timerDone.load();
        while (tickCounter.load() > 0) {
            tickCounter.fetch_sub(1);
            taken++;
        }
        if (lastPass) break;
    }
    timer.join();
    return taken;
}

}  // namespace

// Needs the library's timer thread, which runs only with a display (the tests
// start their own X server for it).
TEST(Ticks, TheTimerCountsSixtyTicksASecondForTenSeconds) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under an X server: tests/e2e/with_xvfb.py";
    ASSERT_EQ(install_allegro(SYSTEM_AUTODETECT, &errno, atexit), 0);
    ASSERT_EQ(install_timer(), 0);
    tickCounter.store(0);
    startTicks();
    // Start on a fresh tick so the count is not a tick short by where the window falls.
    int first = tickCounter.load();
    while (tickCounter.load() == first) std::this_thread::yield();
    const Clock::time_point start = Clock::now();
    const int atStart = tickCounter.load();
    std::this_thread::sleep_for(std::chrono::seconds(10));
    const int counted = tickCounter.load() - atStart;
    const double seconds = secondsSince(start);
    remove_int(tickHandler);
    std::printf("%d ticks in %.3f s: %.2f a second\n", counted, seconds, counted / seconds);
    EXPECT_NEAR(counted, 60.0 * seconds, 6.0) << "600 ticks in ten seconds, within 1%";
}

TEST(Ticks, TwoThreadsAddingAndTakingMillionsOfTicksLoseNone) {
    constexpr long ticks = 5000000;
    tickCounter.store(0);
    EXPECT_EQ(addAndTake(ticks, std::chrono::milliseconds(0)), ticks);
    EXPECT_EQ(tickCounter.load(), 0) << "every tick added was taken exactly once";
}

// The loop is away for a while, as it is during a prompt or a restart, then
// catches up with the ticks that piled up meanwhile.
TEST(Ticks, TicksPilingUpWhileTheLoopIsBusyAreAllWorkedOff) {
    constexpr long ticks = 3000000;
    tickCounter.store(0);
    EXPECT_EQ(addAndTake(ticks, std::chrono::milliseconds(20)), ticks);
    EXPECT_EQ(tickCounter.load(), 0);
}

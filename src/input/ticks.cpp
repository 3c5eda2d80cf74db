// The timer handler does nothing but count, as the library's timer thread
// wants; the play loop decides what each tick means.
#include "input/ticks.h"

#include <allegro.h>

std::atomic<int> tickCounter(0);

void tickHandler() { tickCounter.fetch_add(1); }
END_OF_FUNCTION(tickHandler)

void startTicks() {
    LOCK_VARIABLE(tickCounter);
    LOCK_FUNCTION(tickHandler);
    install_int_ex(tickHandler, BPS_TO_TIMER(60));
}

void restUntilTick(std::chrono::steady_clock::time_point lastTick) {
    using namespace std::chrono;
    // A little under the 16.7 ms between ticks: the timer thread is not
    // always on time, and a tick found late is a key answered late.
    constexpr milliseconds quietPart(13);
    if (tickCounter.load() > 0) return;
    auto quietFor = duration_cast<milliseconds>(lastTick + quietPart - steady_clock::now());
    if (quietFor.count() > 1) rest(unsigned(quietFor.count()));
    while (tickCounter.load() == 0) rest(1);
}

// The timer handler does nothing but count, as the library's timer thread
// wants; the play loop decides what each tick means.
#include "shell/ticks.h"

#include <allegro.h>

std::atomic<int> tickCounter(0);

void tickHandler() { tickCounter.fetch_add(1); }
END_OF_FUNCTION(tickHandler)

void startTicks() {
    LOCK_VARIABLE(tickCounter);
    LOCK_FUNCTION(tickHandler);
    install_int_ex(tickHandler, BPS_TO_TIMER(60));
}

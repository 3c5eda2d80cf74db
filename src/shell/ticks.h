// The 60 Hz heartbeat: the timer thread counts ticks, the play loop works them off.
#pragma once

#include <atomic>

// Ticks not yet consumed by the play loop. The timer thread only adds 1, the
// main thread only reads it and takes 1 away; both updates are indivisible, so
// no tick is lost or counted twice.
extern std::atomic<int> tickCounter;

void tickHandler();
// Installs tickHandler at 60 ticks a second.
void startTicks();

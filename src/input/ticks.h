// The 60 Hz heartbeat: the timer thread counts ticks, the play loop works them off.
#pragma once

#include <atomic>
#include <chrono>

// Ticks not yet consumed by the play loop. The timer thread only adds 1, the
// main thread only reads it and takes 1 away; both updates are indivisible, so
// no tick is lost or counted twice.
extern std::atomic<int> tickCounter;

void tickHandler();
// Installs tickHandler at 60 ticks a second.
void startTicks();

// Sleeps until a tick is pending. `lastTick` is when the caller last found
// one: the next cannot come much before a whole period has passed, so the
// wait is one long sleep and then looks every millisecond, which catch the
// tick within a millisecond of its coming at a few wake-ups per tick.
void restUntilTick(std::chrono::steady_clock::time_point lastTick);

#include "WindowServices.h"

// A watched pause goes on to pauseWhenDue, any other looks at the clock; once
// the window is closing, every pause comes here.
bool WindowServices::pauseAfterCount()
{
    if (pausesWatched) {
        pausesBeforeLook = 0;
        return pauseWhenDue();
    }
    const bool goOn = lookWhetherDue();
    if (closing)
        pausesBeforeLook = 0;
    return goOn;
}

bool WindowServices::lookWhetherDue()
{
    const std::int64_t now = coarseMilliseconds();
    if (now != lastLookMs) {
        lastLookMs = now;
        looksThisTick = 0;
    }
    ++looksThisTick;
    pausesBeforeLook = looksThisTick > LooksPerTickBeforeSkipping ? PausesPerLook : 1;
    if (now - lastTurnMs < EventIntervalMs)
        return !closing;
    return pauseWhenDue();
}

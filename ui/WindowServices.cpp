#include "WindowServices.h"

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

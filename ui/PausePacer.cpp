#include "PausePacer.h"

#include <time.h>

std::int64_t PausePacer::coarseMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

bool PausePacer::pumpIsDue()
{
    const std::int64_t now = clock();
    if (watched || closing) {
        pausesBeforeLook = 0;
    } else {
        if (now != lastLookMs)
            looksThisTick = 0;
        ++looksThisTick;
        pausesBeforeLook = looksThisTick > LooksPerTickBeforeSkipping ? PausesPerLook : 1;
    }
    lastLookMs = now;
    return now - lastTurnMs >= EventIntervalMs;
}

void PausePacer::pumpTurns(bool repaint)
{
    lastTurnMs = clock();
    if (repaint)
        lastRepaintMs = lastTurnMs;
}

void PausePacer::watchPauses()
{
    watched = true;
    pausesBeforeLook = 0;
}

void PausePacer::startClosing()
{
    closing = true;
    pausesBeforeLook = 0;
}

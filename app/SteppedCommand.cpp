#include "Form1.h"

namespace {

// The steps of the busy wait that holds a step with Delay on: fixed, the one
// tunable of the program, and with busyStep below long enough to watch each
// step.
constexpr std::int32_t BusyCount = 15000000;

// One step of the busy count. A bare count of BusyCount steps takes a few
// milliseconds on a current machine, too short to see a step, so every step
// also runs a chain of 14 dependent multiplications that the compiler cannot
// drop. With the count on the variant delayIx this holds the grids still for
// about a quarter of a second per pause (0.24 to 0.26 s measured on the
// 2-core build machine; a slower or faster machine scales it, as any busy count does).
constexpr int BusyStepChain = 14;

void busyStep()
{
    static volatile unsigned sink = 1;
    unsigned x = sink;
    for (int i = 0; i < BusyStepChain; ++i) {
        x = x * 2654435761u + 1u;
        // An empty barrier: without it the compiler folds the chain of
        // multiplications into one, and the step's cost would depend on it.
        asm volatile("" : "+r"(x));
    }
    sink = x;
}

} // namespace

void Form1::startSteppedCommand()
{
    delayOn = window.check1Value() == 1 ? True : False;
    delayCount = BusyCount;
}

void Form1::heldStep()
{
    // Every pause lets the pending events run so that each held step is
    // painted.
    letEventsRun();
    if (delayOn == True)
        busyCount();
}

void Form1::busyCount()
{
    for (delayIx = 1; delayIx <= delayCount; delayIx = delayIx + 1)
        busyStep();
}

void Form1::letEventsRun()
{
    if (!window.doEvents())
        throw RunAbandoned{};
}

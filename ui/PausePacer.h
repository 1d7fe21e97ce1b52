#pragma once

#include <cstdint>

// When the event pump turns in the pauses of a run without Delay. Such a
// pause comes a million times in a large SOLVE, far more often than the
// screen or the user can tell apart, and a full turn each time would cost
// more than the elimination itself. So the pump turns at most once per
// EventIntervalMs and repaints the grids at most once per RepaintIntervalMs;
// a pause in between that nobody watches is only counted. While pauses come
// by the hundred within one tick of the clock, only every PausesPerLook-th of
// them looks at it.
//
// The clock is given: the window's is coarseMilliseconds(), a test's can be
// one it sets itself.
class PausePacer
{
  public:
    // Milliseconds on a monotonic clock.
    using Clock = std::int64_t (*)();

    // The pump turns at most this often, so that a click waits no longer
    // than a frame or two.
    static constexpr int EventIntervalMs = 10;
    // The grids repaint at most this often (30 times a second), enough for
    // the eye and a fraction of the cost of a repaint at every turn.
    static constexpr int RepaintIntervalMs = 33;
    // coarseMilliseconds() ticks this often.
    static constexpr int ClockResolutionMs = 4;
    // Once this many pauses have looked at the clock within one tick, only
    // every PausesPerLook-th does until the next tick. That many pauses in a
    // tick of ClockResolutionMs are some 16 microseconds apart or less, so the
    // pump turns at most about half a millisecond late.
    static constexpr int LooksPerTickBeforeSkipping = 256;
    static constexpr int PausesPerLook = 32;

    explicit PausePacer(Clock clock = coarseMilliseconds) : clock(clock) {}

    // The coarse monotonic clock costs a fifth of the precise one, and its
    // few milliseconds of resolution are plenty for pacing the pump.
    static std::int64_t coarseMilliseconds();

    // Counts a pause that turns the pump whatever the clock says.
    void countPause() { ++pauses; }
    // Counts a pause of a run without Delay, and tells whether the count is
    // all it needs: true for a pause that nobody watches, between two looks
    // at the clock, while the window is not closing. Any other pause goes on
    // to pumpIsDue(). Inline, as it comes a million times in a large run.
    bool answeredByCount()
    {
        ++pauses;
        return --pausesBeforeLook > 0;
    }
    // Looks at the clock: whether the pump is due to turn, and at what
    // pause the next look comes.
    bool pumpIsDue();
    // Whether a turn of the pump now repaints the grids as well.
    bool repaintIsDue() const { return lastLookMs - lastRepaintMs >= RepaintIntervalMs; }
    // The pump is turning now; `repaint`: the grids are repainted too.
    void pumpTurns(bool repaint);

    // From now on someone may be told of each pause, so every pause goes on
    // to pumpIsDue().
    void watchPauses();
    bool pausesWatched() const { return watched; }
    // The window is closing: every pause from now on goes on to pumpIsDue(),
    // where the services answer that the run must stop.
    void startClosing();
    bool isClosing() const { return closing; }

    // Number of pauses counted so far.
    std::int64_t pauseCount() const { return pauses; }

  private:
    Clock clock;
    std::int64_t pauses = 0;
    int pausesBeforeLook = 0;
    int looksThisTick = 0;
    std::int64_t lastLookMs = 0;
    std::int64_t lastTurnMs = 0;
    std::int64_t lastRepaintMs = 0;
    bool watched = false;
    bool closing = false;
};

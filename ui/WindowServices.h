#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <time.h>

// The services of the window that the procedures use besides the grids:
// the Delay check box, the text box, the size prompt and the event pump.
class WindowServices
{
  public:
    // When a run without Delay pauses, the pump turns at most this often,
    // so that a click waits no longer than a frame or two.
    static constexpr int EventIntervalMs = 10;
    // The pauses read a coarse clock, which ticks this often.
    static constexpr int ClockResolutionMs = 4;

    virtual ~WindowServices() = default;

    // Value of the check box Check1: 0 not ticked, 1 ticked, 2 greyed.
    virtual int check1Value() const = 0;

    // Replaces the whole text of the text box Text1.
    virtual void setText1(std::string_view text) = 0;

    // The modal input box: returns the typed line, or "" when cancelled.
    virtual std::string inputBox(std::string_view prompt, std::string_view title,
                                 std::string_view defaultAnswer) = 0;

    // Lets the pending window events run once, each to its end. Returns false
    // when the window is closing: the running procedure must then stop.
    virtual bool doEvents() = 0;

    // The same, but the pump turns at most once per EventIntervalMs; calls in
    // between only look at the clock. A pause of a run without Delay comes a
    // million times in a large SOLVE, far more often than the screen or the
    // user can tell apart, and a full turn each time would cost more than the
    // elimination itself; so a pause that is not due, and that nobody
    // watches, is counted and answered right here. While pauses come by the
    // hundred within one tick of the clock, only every PausesPerLook-th of
    // them looks at it. A watched pause, and any pause once the window is
    // closing, goes on to pauseWhenDue or lookWhetherDue: watchPauses() and
    // startClosing() end the count of pauses answered here.
    bool doEventsWhenDue()
    {
        ++pauses;
        if (--pausesBeforeLook > 0)
            return true;
        return pauseAfterCount();
    }

    // Number of pauses (doEvents and doEventsWhenDue calls) so far.
    std::int64_t pauseCount() const { return pauses; }

  protected:
    // A clock read at the pauses of a run: the coarse monotonic clock costs a
    // fifth of the precise one, and its few milliseconds of resolution are
    // plenty for pacing the pump.
    static std::int64_t coarseMilliseconds()
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
        return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    }

    // The rest of doEventsWhenDue, for a pause that is watched or may be due;
    // pauseCount() already counts it.
    virtual bool pauseWhenDue() = 0;

    // From now on someone may be told of each pause, so none is answered
    // inline.
    void watchPauses()
    {
        pausesWatched = true;
        pausesBeforeLook = 0;
    }
    // The window is closing: every pause from now on answers false.
    void startClosing()
    {
        closing = true;
        pausesBeforeLook = 0;
    }

    std::int64_t pauses = 0;
    // When the pump last turned, on coarseMilliseconds().
    std::int64_t lastTurnMs = 0;
    // Set by watchPauses() and startClosing() only.
    bool pausesWatched = false;
    bool closing = false;

  private:
    // Once this many pauses have looked at the clock within one tick, only
    // every PausesPerLook-th does until the next tick. That many pauses in a
    // tick of ClockResolutionMs are some 16 microseconds apart or less, so the
    // pump turns at most about half a millisecond late.
    static constexpr int LooksPerTickBeforeSkipping = 256;
    static constexpr int PausesPerLook = 32;

    bool pauseAfterCount();
    bool lookWhetherDue();

    int pausesBeforeLook = 0;
    int looksThisTick = 0;
    std::int64_t lastLookMs = 0;
};

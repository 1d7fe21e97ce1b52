#pragma once

#include "PausePacer.h"

#include <cstdint>
#include <string>
#include <string_view>

// The services of the window that the procedures use besides the grids:
// the Delay check box, the text box, the size prompt and the event pump.
class WindowServices
{
  public:
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

    // The same for a pause of a run without Delay, but the pump turns only
    // when the pacer finds it due; the pauses in between are counted here,
    // inline (PausePacer).
    bool doEventsWhenDue()
    {
        if (pacer.answeredByCount())
            return true;
        return pauseWhenDue();
    }

    // Number of pauses (doEvents and doEventsWhenDue calls) so far.
    std::int64_t pauseCount() const { return pacer.pauseCount(); }

  protected:
    explicit WindowServices(PausePacer::Clock clock = PausePacer::coarseMilliseconds) : pacer(clock)
    {}

    // The rest of doEventsWhenDue, for a pause that the count does not
    // answer; the pacer has counted it already.
    virtual bool pauseWhenDue() = 0;

    PausePacer pacer;
};

#pragma once

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

    // The same, but the pump turns at most once per frame interval; calls in
    // between only look at the clock. A pause of a run without Delay comes a
    // million times in a large SOLVE, far more often than the screen or the
    // user can tell apart, and a full turn each time would cost more than the
    // elimination itself.
    virtual bool doEventsWhenDue() = 0;
};

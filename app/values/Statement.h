#pragma once

// SOLVE and PIVOT guard every statement: a statement that fails (a division
// by zero, a result beyond the range of its target, a conversion that fails,
// an array position or grid cell that does not exist) does nothing, and the
// procedure goes on with the next statement.
//
// A failing operation throws StatementFailed; `guarded` runs one statement
// and swallows that failure. Nothing is assigned until a statement's right
// side has been computed and checked, so a failed statement leaves its
// target as it was. The success path is a plain call: zero-cost exception
// handling makes the try block free until something throws.

// Thrown by an operation that fails.
struct StatementFailed
{};

// Thrown out of a pause when the window is closing: the running procedure is
// abandoned as a whole. Not a statement failure, so `guarded` lets it pass.
struct RunAbandoned
{};

[[noreturn]] void failStatement();

// Runs one statement; false when it failed, and then it did nothing.
template <class Statement> inline bool attempt(Statement &&statement)
{
    try {
        statement();
        return true;
    } catch (const StatementFailed &) {
        return false;
    }
}

// Runs one guarded statement.
template <class Statement> inline void guarded(Statement &&statement)
{
    attempt(statement);
}

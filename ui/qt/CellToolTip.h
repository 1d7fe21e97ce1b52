#pragma once

#include <QString>

class QFont;
class QRect;

// The tool tip that shows the whole text of a cell drawn cut. The text is
// broken into lines that fit the screen, at word boundaries where it has
// any and anywhere else where it has none (a long number has none); a text
// with more lines than the screen holds keeps its beginning and its end, and
// a line between them tells how many characters are left out. Whatever the
// text holds is shown as plain text, markup included.
class CellToolTip
{
  public:
    // Room kept free around the tip on the screen, in pixels.
    static constexpr int ScreenMargin = 16;

    // The tool tip of `text` in `font` for a screen whose available area is
    // `screen`, as rich text that Qt shows as it is.
    static QString of(const QString &text, const QFont &font, const QRect &screen);
};

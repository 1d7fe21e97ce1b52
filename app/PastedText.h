#pragma once

#include <cstddef>
#include <string_view>

// A text from the clipboard read as rows of fields, the way a spreadsheet or
// a web page's table comes across. Lines end at a line feed (a carriage
// return before it belongs to the line's end), and an empty line after the
// last line feed is no line. A line with a tab has its fields between tabs;
// one without has them between runs of spaces, and spaces before the first
// and after the last field are no field. Every line, an empty one too, has
// at least one field.
//
// Read from the front, a line and a field at a time, so that only the part
// of the text that is read costs anything, however long the rest.
class PastedText
{
  public:
    explicit PastedText(std::string_view text) : text(text) {}

    // Moves on to the next line, skipping what is left of this one; false
    // when there is none.
    bool nextLine();
    // The next field of the current line; false when the line has no more.
    bool nextField(std::string_view &field);

  private:
    std::string_view text;
    std::size_t lineStart = 0; // of the next line once the current one ends
    std::string_view line;     // what is left of the current line
    bool splitsAtTabs = false;
    bool fieldsLeft = false;
};

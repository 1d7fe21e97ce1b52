#include "Form1.h"
#include "TypedCell.h"

#include <string>

namespace {

constexpr int LastTypeableRow = 70;

bool isHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

void appendUtf8(std::string &text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Appends one typed UTF-16 code unit to a UTF-8 cell text. A character
// outside the basic plane arrives as two key presses; its first half is kept
// in the three-byte form of a lone surrogate until the second half joins it.
std::string withCharacterAppended(std::string text, char16_t code)
{
    const std::size_t size = text.size();
    if (isLowSurrogate(code) && size >= 3) {
        const auto b0 = static_cast<unsigned char>(text[size - 3]);
        const auto b1 = static_cast<unsigned char>(text[size - 2]);
        const auto b2 = static_cast<unsigned char>(text[size - 1]);
        const char32_t previous = ((b0 & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F);
        if ((b0 & 0xF0) == 0xE0 && isHighSurrogate(previous)) {
            text.resize(size - 3);
            appendUtf8(text, 0x10000 + ((previous - 0xD800) << 10) + (code - 0xDC00));
            return text;
        }
    }
    appendUtf8(text, code);
    return text;
}

} // namespace

void Form1::msfmain0_KeyPress(char16_t keyAscii)
{
    // The pivot procedure learns here that a new entering column was typed.
    if (msfmain0.col() == 1 && pivotState != 0)
        editMark = 1;

    msfmain0.setCellFontName(TypedCell::FontName);
    msfmain0.setCellFontSize(TypedCell::FontSize);
    msfmain0.setCellAlignment(CellGrid::AlignCenterCenter);

    if (msfmain0.row() <= LastTypeableRow) {
        msfmain0.setText(withCharacterAppended(msfmain0.text(), keyAscii));
        msfmain0.setCellBackColor(TypedCell::BackColor);
    }

    // Backspace empties the whole cell, in any row.
    if (keyAscii == 8) {
        msfmain0.setText("");
        msfmain0.setCellBackColor(TypedCell::BackColor);
    }
}

#include "GridKeys.h"

#include "ui/CellTable.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include <algorithm>

std::optional<GridKeys::Move> GridKeys::moveOf(const QKeyEvent &event)
{
    if (event.modifiers() & Qt::AltModifier)
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Up:
        return Move::Up;
    case Qt::Key_Down:
        return Move::Down;
    case Qt::Key_Left:
        return Move::Left;
    case Qt::Key_Right:
        return Move::Right;
    case Qt::Key_PageUp:
        return Move::PageUp;
    case Qt::Key_PageDown:
        return Move::PageDown;
    case Qt::Key_Home:
        return Move::Home;
    case Qt::Key_End:
        return Move::End;
    default:
        return std::nullopt;
    }
}

GridKeys::Cell GridKeys::moved(Move move, bool control, const CellTable &table, int pageRows)
{
    const int rows = table.rows();
    const int cols = table.cols();
    const int firstRow = rows > 1 ? 1 : 0;
    const int firstCol = cols > 1 ? 1 : 0;
    int row = table.row();
    int col = table.col();
    switch (move) {
    case Move::Up:
        if (row > firstRow)
            --row;
        break;
    case Move::Down:
        if (row < rows - 1)
            row = std::max(row + 1, firstRow);
        break;
    case Move::Left:
        if (col > firstCol)
            --col;
        break;
    case Move::Right:
        if (col < cols - 1)
            col = std::max(col + 1, firstCol);
        break;
    case Move::PageUp:
        if (row > firstRow)
            row = std::max(firstRow, row - pageRows);
        break;
    case Move::PageDown:
        row = std::max(firstRow, std::min(rows - 1, row + pageRows));
        break;
    case Move::Home:
        col = firstCol;
        if (control)
            row = firstRow;
        break;
    case Move::End:
        col = cols - 1;
        if (control)
            row = rows - 1;
        break;
    }
    return {row, col};
}

namespace {

// The modifiers of a key event that tell keys apart: the keypad's Insert is
// the Insert key.
Qt::KeyboardModifiers heldModifiers(const QKeyEvent &event)
{
    return event.modifiers() & ~Qt::KeypadModifier;
}

} // namespace

bool GridKeys::copies(const QKeyEvent &event, bool typing)
{
    if (heldModifiers(event) != Qt::ControlModifier)
        return false;
    return event.key() == Qt::Key_Insert || (event.key() == Qt::Key_C && !typing);
}

bool GridKeys::pastes(const QKeyEvent &event)
{
    return heldModifiers(event) == Qt::ShiftModifier && event.key() == Qt::Key_Insert;
}

// AltGr, which arrives as Ctrl+Alt on some systems, still types its
// character; Ctrl+letter gives the control codes 1..26, taken from the key
// since the event's text differs between systems.
QString GridKeys::typedCodes(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool alt = modifiers & Qt::AltModifier;
    const bool control = modifiers & Qt::ControlModifier;
    if ((alt && !control) || (modifiers & Qt::MetaModifier))
        return {};
    const int key = event.key();
    if (!alt) {
        switch (key) {
        case Qt::Key_Backspace:
            return QString(QChar(8));
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QString(QChar(13));
        case Qt::Key_Escape:
            return QString(QChar(27));
        default:
            break;
        }
        if (control)
            return key >= Qt::Key_A && key <= Qt::Key_Z ? QString(QChar(key - Qt::Key_A + 1))
                                                        : QString();
    }
    const QString text = event.text();
    for (QChar unit : text) {
        const char16_t code = unit.unicode();
        if (code < 0x20 || (code >= 0x7F && code < 0xA0))
            return {};
    }
    return text;
}

QString GridKeys::typedCodes(const QInputMethodEvent &event)
{
    QString codes = event.commitString();
    codes.removeIf([](QChar unit) { return unit.unicode() < 0x20 || unit.unicode() == 0x7F; });
    return codes;
}

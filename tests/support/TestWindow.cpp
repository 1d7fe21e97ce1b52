#include "TestWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include <algorithm>

TestWindow::TestWindow()
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("TestWindow: the window did not become active");
    QObject::connect(&services(), &QtWindowServices::pauseReached, &services(), [this](qint64 n) {
        if (auto action = pauseActions.extract(n))
            action.mapped()();
    });
}

QStringList TestWindow::rows(const QString &name, int r0, int r1, int c0, int c1,
                             bool alignments) const
{
    GridView *view = grid(name);
    view->flush();
    QStringList result;
    for (int row = r0; row <= r1; ++row) {
        QStringList cells;
        for (int col = c0; col <= c1; ++col) {
            const QModelIndex cell = view->model()->index(row, col);
            const auto how = Qt::Alignment::fromInt(cell.data(Qt::TextAlignmentRole).toInt());
            cells << (!alignments                                 ? cell.data().toString()
                      : how == Qt::AlignCenter                    ? "C"
                      : how == (Qt::AlignLeft | Qt::AlignVCenter) ? "L"
                                                                  : "?");
        }
        result << cells.join(alignments ? "" : "|");
    }
    return result;
}

QStringList TestWindow::grids() const
{
    QStringList texts;
    for (const char *name : {"msfmain0", "msfmain", "msfunit"}) {
        const int rowCount = grid(name)->model()->rowCount();
        const int colCount = grid(name)->model()->columnCount();
        texts << QString("%1x%2").arg(rowCount).arg(colCount)
              << rows(name, 0, rowCount - 1, 0, colCount - 1);
    }
    return texts;
}

QString TestWindow::focus() const
{
    QWidget *focused = QApplication::focusWidget();
    auto *view = qobject_cast<GridView *>(focused);
    if (!view)
        return focused ? focused->objectName() : QString("nothing");
    view->flush();
    const QModelIndex current = view->currentIndex();
    return QString("%1 (%2, %3)").arg(view->objectName()).arg(current.row()).arg(current.column());
}

void TestWindow::clickCell(const QString &name, int row, int col)
{
    GridView *view = grid(name);
    view->flush();
    const QModelIndex index = view->model()->index(row, col);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

void TestWindow::type(const QString &keys)
{
    for (const QChar unit : keys) {
        QWidget *focused = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
        const char16_t code = unit.unicode();
        if (code >= 1 && code <= 26 && code != '\b' && code != '\t' && code != '\r')
            QTest::keyClick(focused, char('a' + code - 1), Qt::ControlModifier);
        else if (code < 0x80)
            QTest::keyClick(focused, char(code));
        else // Qt Test names no key for it: the unit goes as the key's text
            QTest::sendKeyEvent(QTest::Click, focused, Qt::Key_unknown, QString(unit), {});
    }
}

void TestWindow::typeMatrix(const QList<QStringList> &rows, int firstRow, int firstCol)
{
    for (int i = 0; i < rows.size(); ++i) {
        for (int j = 0; j < rows[i].size(); ++j) {
            if (!rows[i][j].isEmpty())
                typeInto(firstRow + i, firstCol + j, rows[i][j]);
        }
    }
}

void TestWindow::press(const QString &name)
{
    auto *button = find<QAbstractButton>(name);
    if (button->isVisible())
        QTest::mouseClick(button, Qt::LeftButton);
    else
        button->click();
    // Back in the event loop, as after any click: a change of activation or
    // focus that the procedure left pending is delivered.
    QCoreApplication::processEvents();
}

void TestWindow::pressAccelerator(char letter)
{
    // The button that answers goes down at once and clicks about 100 ms later,
    // after which its procedure runs to its end before the wait looks again.
    QTest::keyClick(QApplication::focusWidget(), letter, Qt::AltModifier);
    const QList<QAbstractButton *> buttons = window.findChildren<QAbstractButton *>();
    const auto up = [](QAbstractButton *button) { return !button->isDown(); };
    if (!QTest::qWaitFor([&] { return std::all_of(buttons.begin(), buttons.end(), up); }, 10000))
        qWarning("TestWindow: Alt+%c did not click its button", letter);
}

void TestWindow::setDelay(bool on)
{
    // A click on the box's label ticks it as well as one on its indicator.
    auto *box = find<QCheckBox>("Check1");
    if (box->isChecked() != on)
        QTest::mouseClick(box, Qt::LeftButton);
}

// The window as it opens, its inert hidden accelerators, typing into the
// input grid, and CLEAR.

#include "support/TestWindow.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "ui/GridView.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QtTest>

namespace {

int pixels(int twips)
{
    return qRound(twips * QGuiApplication::primaryScreen()->logicalDotsPerInchX() / 1440.0);
}

QStringList allCellTexts(TestWindow &w)
{
    QStringList texts;
    for (const char *grid : {"msfmain0", "msfmain", "msfunit"})
        for (int r = 0; r < w.grid(grid)->model()->rowCount(); ++r)
            texts << w.rowTexts(grid, r, 0, w.grid(grid)->model()->columnCount() - 1).join('|');
    return texts;
}

const QStringList BlankGrid = {"|1|2|", "1|||", "2|||"};

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

  private slots:
    void startUp()
    {
        TestWindow w;
        QCOMPARE(w.window().windowTitle(), " Quelvar V1.0.0      www.quelvar.example");
        QCOMPARE(w.window().size(), QSize(pixels(12225), pixels(10455)));
        QCOMPARE(allCellTexts(w), BlankGrid + BlankGrid + BlankGrid);
        for (const char *grid : {"msfmain0", "msfmain", "msfunit"})
            for (int i = 0; i <= 2; ++i)
                QVERIFY(qAbs(w.grid(grid)->visualRect(w.grid(grid)->model()->index(1, i)).width() -
                             pixels(700)) <= 1);
        QCOMPARE(w.cellAlignment("msfunit", 0, 2), Qt::AlignCenter);
        GridView *input = w.grid("msfmain0");
        w.typeText("7");
        QCOMPARE(w.cellText("msfmain0", 1, 1), QStringLiteral("7"));
        const QStringList expected = {"msfmain0", "msfmain", "msfunit",  "cmdrun",   "cmddim",
                                      "cmdclr",   "Check1",  "cmdpivot", "cmdpidim", "Text1"};
        QStringList chain = {input->objectName()};
        for (QWidget *next = input->nextInFocusChain(); next != input;
             next = next->nextInFocusChain())
            if (expected.contains(next->objectName()) && !chain.contains(next->objectName()))
                chain << next->objectName();
        QCOMPARE(chain, expected);
        // Alt+M and Alt+P belong to hidden buttons: no prompt, no change.
        const QStringList before = allCellTexts(w);
        w.answerNextPrompt("3");
        w.pressAccelerator('m');
        w.pressAccelerator('p');
        QCOMPARE(allCellTexts(w), before);
        QCOMPARE(w.lastPromptLabel(), QString());
    }

    void controls()
    {
        const std::tuple<const char *, const char *, QRect, bool> controls[] = {
            {"msfmain0", "Input, A and b", {360, 120, 11295, 3200}, true},
            {"msfmain", "Working matrix", {360, 3315, 11295, 3195}, true},
            {"msfunit", "Inverse and solution", {360, 6510, 11295, 3195}, true},
            {"cmdrun", "&SOLVE", {3945, 9960, 1095, 375}, true},
            {"cmddim", "&DIMENSION", {2610, 9960, 1215, 375}, true},
            {"cmdclr", "&CLEAR", {9240, 9960, 1095, 375}, true},
            {"Check1", " Delay", {240, 9960, 1095, 255}, true},
            {"cmdpivot", "&PIVOT", {7080, 9960, 1095, 375}, false},
            {"cmdpidim", "PIVOT DI&M", {5880, 9960, 1095, 375}, false},
            {"Text1", "Objective", {1440, 9960, 975, 285}, true}};
        TestWindow w;
        for (auto [name, caption, twips, visible] : controls) {
            auto *control = w.window().findChild<QWidget *>(name);
            QVERIFY2(control && control->isVisible() == visible, name);
            QCOMPARE(control->geometry(), QRect(pixels(twips.x()), pixels(twips.y()),
                                                pixels(twips.width()), pixels(twips.height())));
            // The caption, or what a screen reader names the control by; only
            // the buttons on show can be pressed.
            auto *button = qobject_cast<QAbstractButton *>(control);
            QAccessibleInterface *read = QAccessible::queryAccessibleInterface(control);
            QCOMPARE(button ? button->text() : read->text(QAccessible::Name), QString(caption));
            const QStringList actions =
                read->actionInterface() ? read->actionInterface()->actionNames() : QStringList();
            QCOMPARE(actions.contains(QAccessibleActionInterface::pressAction()),
                     visible && qobject_cast<QPushButton *>(control));
        }
    }

    // Each key is appended to the current cell, which turns arial 9, centred,
    // on white; Enter appends CR; Backspace empties the cell, a header too,
    // and the cells of rows beyond 70, which take no other keys.
    void keyEntry()
    {
        TestWindow w;
        w.typeIntoCell(2, 2, "12.5");
        w.typeIntoCell(1, 1, "-2");
        w.typeIntoCell(1, 2, "x");
        w.typeIntoCell(1, 1, "E3\r");
        QCOMPARE(allCellTexts(w).mid(0, 3), QStringList({"|1|2|", "1|-2E3\r|x|", "2||12.5|"}));
        const QModelIndex typed = w.grid("msfmain0")->model()->index(2, 2);
        const QFont font = typed.data(Qt::FontRole).value<QFont>();
        QCOMPARE(font.family().toLower() + QString::number(font.pointSizeF()), "arial9");
        QCOMPARE(typed.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));
        QVERIFY(w.grid("msfmain0")->cells().setRow(0) && w.grid("msfmain0")->cells().setCol(2));
        w.typeText("\b");
        QCOMPARE(w.rowTexts("msfmain0", 0, 0, 3), QStringList({"", "1", "", ""}));
        // Keys typed into the solved grids change nothing.
        w.press("cmdrun");
        const QStringList solved = allCellTexts(w);
        for (const char *grid : {"msfmain", "msfunit"}) {
            w.clickCell(grid, 1, 2);
            w.typeText("12.5\b");
            QCOMPARE(allCellTexts(w), solved);
        }
        // CLEAR blanks the block of every grid, keeps the labels and the
        // typed cells' look, and puts the user back at (1, 1).
        w.pressAccelerator('c');
        QCOMPARE(allCellTexts(w), QStringList("|1||") + BlankGrid.mid(1) + BlankGrid + BlankGrid);
        QCOMPARE(w.cellAlignment("msfmain0", 2, 2), Qt::AlignCenter);
        QCOMPARE(QApplication::focusWidget(), w.grid("msfmain0"));
        w.typeText("9");
        QCOMPARE(w.cellText("msfmain0", 1, 1), QStringLiteral("9"));
        w.answerNextPrompt("75");
        w.press("cmddim");
        w.typeIntoCell(70, 1, "4");
        w.typeIntoCell(71, 1, "4");
        QCOMPARE(w.cellText("msfmain0", 70, 1) + "|" + w.cellText("msfmain0", 71, 1), "4|");
        w.grid("msfmain0")->cells().setText("5");
        w.typeText("\b");
        QCOMPARE(w.cellText("msfmain0", 71, 1), QString());
    }

    // The tableau's edit mark goes up for keys in column 1 only.
    void editMark()
    {
        for (auto [pivotState, col, keys, mark] :
             {std::tuple{0, 1, "3", 0}, {1, 1, "3", 1}, {1, 1, "\b", 1}, {1, 2, "3", 0}}) {
            TestWindow w;
            w.form().pivotState = static_cast<std::uint8_t>(pivotState);
            w.typeIntoCell(2, col, keys);
            QCOMPARE(w.form().editMark.toDouble(), double(mark));
        }
    }

    // Also run on a screen smaller than the window (tst_window_small_screen):
    // the window keeps within the screen's available area, and a control
    // tabbed to scrolls into view, where Enter presses it.
    void smallScreen()
    {
        TestWindow w;
        w.typeIntoCell(1, 1, "5");
        const QSize room = w.window().screen()->availableGeometry().size();
        QVERIFY(w.window().frameGeometry().width() <= room.width());
        QVERIFY(w.window().frameGeometry().height() <= room.height());
        for (const char *next : {"msfmain", "msfunit", "cmdrun", "cmddim", "cmdclr"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focused = QApplication::focusWidget();
            QCOMPARE(focused->objectName(), QString(next));
            QCOMPARE(focused->visibleRegion().boundingRect(), focused->rect());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w.cellText("msfmain0", 1, 1), QString());
    }

    // A text too wide for its cell is cut at its end with "…" and stays
    // within the cell's margins, so two numbers with the same leading digits
    // look alike; hovering shows the whole text. Enter shows as "␍".
    void cutTextAndControlCharacters()
    {
        TestWindow w;
        GridView *grid = w.grid("msfmain0");
        for (auto [row, col, text] :
             {std::tuple{1, 1, "-1234567"}, {2, 1, "-12345678901"}, {1, 2, "2\r5"}, {2, 2, "0"}})
            w.typeIntoCell(row, col, text);
        grid->cells().setText("2\u240D5");
        w.clickCell("msfmain0", 2, 3);
        const auto shown = [&](int row, int col) {
            return grid->viewport()
                ->grab(grid->visualRect(grid->model()->index(row, col)))
                .toImage();
        };
        QCOMPARE(shown(1, 1), shown(2, 1));
        QCOMPARE(shown(1, 2), shown(2, 2));
        const QImage cut = shown(1, 1);
        for (int y = 0; y < cut.height() - 1; ++y)
            for (int x : {0, 1, cut.width() - 3, cut.width() - 2})
                QVERIFY(cut.pixel(x, y) == cut.pixel(0, 0));
        const auto toolTip = [&](int row, int col) {
            const QPoint at = grid->visualRect(grid->model()->index(row, col)).center();
            QHelpEvent hover(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
            QApplication::sendEvent(grid->viewport(), &hover);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(toolTip(1, 2), QString());
        QCOMPARE(toolTip(1, 1), QString("-1234567"));
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"

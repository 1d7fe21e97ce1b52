// The window as it opens, its inert hidden accelerators, typing into the
// input grid, and CLEAR.

#include "support/TestWindow.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "ui/GridView.h"

#include <QAbstractButton>
#include <QScreen>
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
            {"msfmain0", "", {360, 120, 11295, 3200}, true},
            {"msfmain", "", {360, 3315, 11295, 3195}, true},
            {"msfunit", "", {360, 6510, 11295, 3195}, true},
            {"cmdrun", "&SOLVE", {3945, 9960, 1095, 375}, true},
            {"cmddim", "&DIMENSION", {2610, 9960, 1215, 375}, true},
            {"cmdclr", "&CLEAR", {9240, 9960, 1095, 375}, true},
            {"Check1", " Delay", {240, 9960, 1095, 255}, true},
            {"cmdpivot", "&PIVOT", {7080, 9960, 1095, 375}, false},
            {"cmdpidim", "PIVOT DI&M", {5880, 9960, 1095, 375}, false},
            {"Text1", "", {1440, 9960, 975, 285}, true}};
        TestWindow w;
        for (auto [name, caption, twips, visible] : controls) {
            auto *control = w.window().findChild<QWidget *>(name);
            QVERIFY2(control && control->isVisible() == visible, name);
            QCOMPARE(control->geometry(), QRect(pixels(twips.x()), pixels(twips.y()),
                                                pixels(twips.width()), pixels(twips.height())));
            if (auto *button = qobject_cast<QAbstractButton *>(control))
                QCOMPARE(button->text(), QString(caption));
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
        w.typeText("7");
        QCOMPARE(w.cellText("msfmain0", 0, 2), QStringLiteral("27"));
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
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"

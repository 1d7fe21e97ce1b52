// The window as it opens, typing into the input grid, and CLEAR.

#include "TestWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

namespace {

int pixels(int twips)
{
    return qRound(twips * QGuiApplication::primaryScreen()->logicalDotsPerInchX() / 1440.0);
}

const QStringList BlankGrid = {"3x4", "|1|2|", "1|||", "2|||"};

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWindow> w;

  private slots:
    void init() { w = std::make_unique<TestWindow>(); }
    void cleanup() { w.reset(); }

    // The caption and size of the window; the place in twips, caption and
    // visibility of every control, in the order of the Tab key.
    void windowAndControls()
    {
        QCOMPARE(w->window.windowTitle(), " Quelvar V1.0.0      www.quelvar.example");
        QCOMPARE(w->window.size(), QSize(pixels(12225), pixels(10455)));
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
        QWidget *previous = nullptr;
        for (auto [name, caption, twips, visible] : controls) {
            QWidget *control = w->find(name);
            QVERIFY2(control && control->isVisible() == visible, name);
            QCOMPARE(control->geometry(), QRect(pixels(twips.x()), pixels(twips.y()),
                                                pixels(twips.width()), pixels(twips.height())));
            if (auto *button = qobject_cast<QAbstractButton *>(control))
                QCOMPARE(button->text(), QString(caption));
            QWidget *next = previous ? previous->nextInFocusChain() : control;
            while (next->objectName().isEmpty() || next->parent() != &w->window)
                next = next->nextInFocusChain(); // the scroll bars and the text box's parts
            QVERIFY2(next == control, name);
            previous = control;
        }
        QVERIFY(!w->find<QCheckBox>("Check1")->isChecked());
        QCOMPARE(w->find<QLineEdit>("Text1")->text(), QString());
    }

    // Labels 1 and 2, centred, in columns 700 twips wide; (1, 1) has the focus.
    void startUpGrids()
    {
        QCOMPARE(w->grids(), BlankGrid + BlankGrid + BlankGrid);
        for (const char *grid : {"msfmain0", "msfmain", "msfunit"}) {
            QCOMPARE(w->rows(grid, 0, 2, 0, 2, true), QStringList({"LCC", "CLL", "CLL"}));
            for (int col = 0; col <= 2; ++col) {
                const int width =
                    w->grid(grid)->visualRect(w->grid(grid)->model()->index(1, col)).width();
                QVERIFY2(qAbs(width - pixels(700)) <= 1, grid);
            }
        }
        QCOMPARE(w->focus(), "msfmain0 (1, 1)");
    }

    // Each key is appended to the current cell of the input grid, which turns
    // arial 9, centred, on white; Enter appends CR, Backspace empties the
    // cell. Keys typed into the result grids change nothing.
    void typing()
    {
        for (const char *grid : {"msfmain", "msfunit"}) {
            w->clickCell(grid, 1, 1);
            w->type("7");
        }
        w->typeInto(2, 2, "12.5");
        w->typeInto(1, 1, "-2");
        w->typeInto(1, 2, "x");
        w->typeInto(1, 1, "E3\r");
        w->typeInto(2, 1, "12.5\b");
        QCOMPARE(w->rows("msfmain0", 1, 2, 1, 3) + w->rows("msfmain", 1, 1, 1, 1) +
                     w->rows("msfunit", 1, 1, 1, 1),
                 QStringList({"-2E3\r|x|", "|12.5|", "", ""}));
        QCOMPARE(w->rows("msfmain0", 1, 2, 1, 3, true), QStringList({"CCL", "CCL"}));
        for (int col : {1, 2}) {
            const QModelIndex cell = w->grid("msfmain0")->model()->index(2, col);
            const QFont font = cell.data(Qt::FontRole).value<QFont>();
            const QColor back = cell.data(Qt::BackgroundRole).value<QBrush>().color();
            QCOMPARE(font.family() + ' ' + QString::number(font.pointSizeF()) + ' ' + back.name(),
                     "arial 9 #ffffff");
        }
    }

    // Rows beyond 70 take no characters, but Backspace empties them.
    void rowsBeyond70()
    {
        w->prompts.add("75");
        w->press("cmddim");
        w->typeInto(70, 1, "4");
        w->typeInto(71, 1, "4");
        QCOMPARE(w->rows("msfmain0", 70, 71, 1, 1), QStringList({"4", ""}));
        w->grid("msfmain0")->cells().setText("5");
        w->type("\b");
        QCOMPARE(w->rows("msfmain0", 71, 71, 1, 1), QStringList(""));
    }

    // CLEAR blanks the block of every grid, the label of column n + 1 of a
    // tableau too, but leaves the other labels, the right-hand side, "upd",
    // "Minr" and "Cost" and the typed cells' look, and puts the user back at
    // (1, 1).
    void clear()
    {
        w->prompts.add("2");
        w->press("cmdpidim");
        w->typeMatrix({{"5", "2", "0", "7", "1", "2"}, {"", "0", "1", "6"}, {"9", "8"}});
        w->press("cmdpivot");
        w->clickCell("msfmain0", 2, 3);
        w->pressAccelerator('c');
        QCOMPARE(w->grids(), QStringList({"4x7", "|0|1|||upd|Minr", "1||||7|1|2", "2||||6||",
                                          "Cost|9|8||||", "4x5", "|0|1||", "1||||3.5", "2||||6",
                                          "Total||||", "3x5", "|0|1||", "1||||3.5", "2||||6"}));
        QCOMPARE(w->rows("msfmain0", 1, 2, 1, 3, true), QStringList({"CCC", "LCC"}));
        QCOMPARE(w->focus(), "msfmain0 (1, 1)");
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"

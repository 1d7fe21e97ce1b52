// The window as it opens, typing into the input grid, and CLEAR.

#include "TestWindow.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocumentFragment>
#include <QToolTip>
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
        QVERIFY(w->window.minimumHeight() < w->window.height() && !w->window.windowIcon().isNull());
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
        QWidget *previous = nullptr;
        for (auto [name, caption, twips, visible] : controls) {
            QWidget *control = w->find(name);
            QVERIFY2(control && control->isVisible() == visible, name);
            QCOMPARE(control->geometry(), QRect(pixels(twips.x()), pixels(twips.y()),
                                                pixels(twips.width()), pixels(twips.height())));
            // The caption, or what a screen reader names the control by.
            auto *button = qobject_cast<QAbstractButton *>(control);
            QAccessibleInterface *read = QAccessible::queryAccessibleInterface(control);
            QCOMPARE(button ? button->text() : read->text(QAccessible::Name), QString(caption));
            QWidget *next = previous ? previous->nextInFocusChain() : control;
            while (next->parent() != control->parent())
                next = next->nextInFocusChain(); // the scroll bars and the text box's parts
            QVERIFY2(next == control, name);
            previous = control;
        }
        QVERIFY(!w->find<QCheckBox>("Check1")->isChecked());
        QCOMPARE(w->find<QLineEdit>("Text1")->text(), QString());
        // A screen reader is offered the controls on show, the buttons with
        // their press action, and the text box with a description.
        QStringList offered;
        QAccessibleInterface *client =
            QAccessible::queryAccessibleInterface(w->find("Text1"))->parent();
        for (int i = 0; i < client->childCount(); ++i) {
            QAccessibleInterface *control = client->child(i);
            QAccessibleActionInterface *actions = control->actionInterface();
            offered << control->object()->objectName() +
                           (actions && actions->actionNames().contains(
                                           QAccessibleActionInterface::pressAction())
                                ? "!"
                                : "");
        }
        QCOMPARE(offered, QStringList({"msfmain0", "msfmain", "msfunit", "cmdrun!", "cmddim!",
                                       "cmdclr!", "Check1", "Text1"}));
        QVERIFY(client->child(7)->text(QAccessible::Description).contains("objective"));
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

    // Keys typed into the result grids change nothing; in the input grid a
    // key goes on the end of what its current cell holds, a header's too.
    void typingOnlyIntoTheInputGrid()
    {
        for (const char *grid : {"msfmain", "msfunit"}) {
            w->clickCell(grid, 1, 1);
            w->type("7");
        }
        w->typeInto(1, 2, "x");
        QVERIFY(w->grid("msfmain0")->cells().setRow(0) && w->grid("msfmain0")->cells().setCol(2));
        w->type("7");
        QCOMPARE(w->rows("msfmain0", 0, 1, 2, 2) + w->rows("msfmain", 1, 1, 1, 1) +
                     w->rows("msfunit", 1, 1, 1, 1),
                 QStringList({"27", "x", "", ""}));
    }

    // A key typed after SOLVE goes into cell (1, 1), which comes into view
    // however far the user had scrolled the input grid.
    void typedCellInView()
    {
        w->prompts.add("100");
        w->press("cmddim");
        w->typeInto(60, 30, "9");
        w->press("cmdrun");
        w->type("5");
        GridView *grid = w->grid("msfmain0");
        QCOMPARE(w->rows("msfmain0", 1, 1, 1, 1), QStringList("5"));
        QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->model()->index(1, 1))));
    }

    // In every row a key makes the cell arial 9, centred; up to row 70 it is
    // appended and the cell turns white. Backspace empties the cell and
    // turns it white in every row.
    void typedCellsByRow()
    {
        w->prompts.add("75");
        w->press("cmddim");
        const auto look = [&](int row) {
            const QModelIndex cell = w->grid("msfmain0")->model()->index(row, 1);
            const QFont font = cell.data(Qt::FontRole).value<QFont>();
            const QVariant back = cell.data(Qt::BackgroundRole);
            return QString("%1 %2 %3 %4 %5")
                .arg(cell.data().toString(), font.family(), QString::number(font.pointSizeF()),
                     w->rows("msfmain0", row, row, 1, 1, true)[0],
                     back.isValid() ? back.value<QBrush>().color().name() : "none");
        };
        for (int row : {1, 69, 70, 71, 75}) {
            w->clickCell("msfmain0", row, 1);
            w->grid("msfmain0")->cells().setText("5");
            w->type("4");
            QCOMPARE(look(row), row <= 70 ? "54 arial 9 C #ffffff" : "5 arial 9 C none");
            w->type("\b");
            QCOMPARE(look(row), " arial 9 C #ffffff");
        }
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

    // Also run on a screen smaller than the window (tst_window_small_screen):
    // the window keeps within the screen's available area, and a control
    // tabbed to scrolls into view, where Enter presses it.
    void smallScreen()
    {
        w->typeInto(1, 1, "5");
        const QSize room = w->window.screen()->availableGeometry().size();
        QVERIFY(w->window.frameGeometry().width() <= room.width());
        QVERIFY(w->window.frameGeometry().height() <= room.height());
        for (const char *next : {"msfmain", "msfunit", "cmdrun", "cmddim", "cmdclr"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focused = QApplication::focusWidget();
            QCOMPARE(focused->objectName(), QString(next));
            QCOMPARE(focused->visibleRegion().boundingRect(), focused->rect());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w->rows("msfmain0", 1, 1, 1, 1), QStringList(""));
    }

    // What typed keys show, compared with a cell that shows the expected
    // text: blanks draw as nothing, control characters as their pictures, a
    // character outside the basic plane, typed as its two UTF-16 halves, as
    // one character.
    void typedTextsAsDrawn()
    {
        GridView *grid = w->grid("msfmain0");
        const auto drawn = [&](int row) {
            return grid->viewport()->grab(grid->visualRect(grid->model()->index(row, 1))).toImage();
        };
        const QString face = QString::fromUcs4(U"\U0001F600");
        const std::pair<QString, QString> rows[] = {
            {"   ", ""},        {"7\r", "7\u240D"},
            {"\x1b", "\u241B"}, {"\x01\x1a", "\u2401\u241A"},
            {face, face},       {"5" + face + "5", "5" + face + "5"},
            {"é€中", "é€中"}};
        for (const auto &[keys, expected] : rows) {
            w->typeInto(1, 1, "\b" + keys);
            w->typeInto(2, 1, "\b");
            grid->cells().setText(expected.toStdString());
            w->clickCell("msfmain0", 2, 3);
            QCOMPARE(w->rows("msfmain0", 1, 1, 1, 1), QStringList(keys));
            QCOMPARE(drawn(1), drawn(2));
        }
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"

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
        // A key goes on the end of a number a procedure wrote, a header's too.
        QVERIFY(w->grid("msfmain0")->cells().setRow(0) && w->grid("msfmain0")->cells().setCol(2));
        w->type("7");
        QCOMPARE(w->rows("msfmain0", 0, 0, 2, 2), QStringList("27"));
        for (int col : {1, 2}) {
            const QModelIndex cell = w->grid("msfmain0")->model()->index(2, col);
            const QFont font = cell.data(Qt::FontRole).value<QFont>();
            const QColor back = cell.data(Qt::BackgroundRole).value<QBrush>().color();
            QCOMPARE(font.family() + ' ' + QString::number(font.pointSizeF()) + ' ' + back.name(),
                     "arial 9 #ffffff");
        }
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

    // A text too wide for its cell is cut at its end with "…" and stays
    // within the cell's margins, so two numbers with the same leading digits
    // look alike; hovering shows the whole text. Enter shows as "␍".
    void cutTextAndControlCharacters()
    {
        GridView *grid = w->grid("msfmain0");
        for (auto [row, col, text] :
             {std::tuple{1, 1, "-1234567"}, {2, 1, "-12345678901"}, {1, 2, "2\r5"}, {2, 2, "0"}})
            w->typeInto(row, col, text);
        grid->cells().setText("2\u240D5");
        w->clickCell("msfmain0", 2, 3);
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
            return QToolTip::isVisible()
                       ? QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText()
                       : QString();
        };
        QCOMPARE(toolTip(1, 2), QString());
        QCOMPARE(toolTip(1, 1), QString("-1234567"));
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"

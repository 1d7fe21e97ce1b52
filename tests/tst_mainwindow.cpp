// The window as it opens: caption, controls, layout, tab order, focus and the
// three grids; the hidden pivot buttons.

#include "support/TestWindow.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "ui/GridView.h"
#include "ui/QtWindowServices.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

namespace {

const QStringList GridNames = {"msfmain0", "msfmain", "msfunit"};

int pixels(int twips)
{
    const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    return qRound(twips * dpi / 1440.0);
}

QStringList allCellTexts(TestWindow &w, const QString &grid)
{
    QStringList texts;
    GridView *view = w.grid(grid);
    for (int r = 0; r < view->model()->rowCount(); ++r)
        texts << w.rowTexts(grid, r, 0, view->model()->columnCount() - 1);
    return texts;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

  private slots:
    void caption();
    void controls_data();
    void controls();
    void layoutAtStandardResolution();
    void tabOrder();
    void focusStartsOnFirstInputCell();
    void gridsAtStart_data();
    void gridsAtStart();
    void pivotAcceleratorsAreInert_data();
    void pivotAcceleratorsAreInert();
    void visibleAcceleratorsAnswer();
};

void MainWindowTest::caption()
{
    TestWindow w;
    QCOMPARE(w.window().windowTitle(), QStringLiteral(" Quelvar V1.0.0      www.quelvar.example"));
    QCOMPARE(w.window().objectName(), QStringLiteral("Form1"));
    QCOMPARE(w.window().size(), QSize(pixels(12225), pixels(10455)));
    // The client area is fixed.
    QCOMPARE(w.window().minimumSize(), w.window().maximumSize());
}

void MainWindowTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("visible");

    QTest::newRow("msfmain0") << "msfmain0"
                              << "GridView"
                              << "" << QRect(360, 120, 11295, 3200) << true;
    QTest::newRow("msfmain") << "msfmain"
                             << "GridView"
                             << "" << QRect(360, 3315, 11295, 3195) << true;
    QTest::newRow("msfunit") << "msfunit"
                             << "GridView"
                             << "" << QRect(360, 6510, 11295, 3195) << true;
    QTest::newRow("cmdrun") << "cmdrun"
                            << "QPushButton"
                            << "&SOLVE" << QRect(3945, 9960, 1095, 375) << true;
    QTest::newRow("cmddim") << "cmddim"
                            << "QPushButton"
                            << "&DIMENSION" << QRect(2610, 9960, 1215, 375) << true;
    QTest::newRow("cmdclr") << "cmdclr"
                            << "QPushButton"
                            << "&CLEAR" << QRect(9240, 9960, 1095, 375) << true;
    QTest::newRow("Check1") << "Check1"
                            << "QCheckBox"
                            << " Delay" << QRect(240, 9960, 1095, 255) << true;
    QTest::newRow("cmdpivot") << "cmdpivot"
                              << "QPushButton"
                              << "&PIVOT" << QRect(7080, 9960, 1095, 375) << false;
    QTest::newRow("cmdpidim") << "cmdpidim"
                              << "QPushButton"
                              << "PIVOT DI&M" << QRect(5880, 9960, 1095, 375) << false;
    QTest::newRow("Text1") << "Text1"
                           << "QLineEdit"
                           << "" << QRect(1440, 9960, 975, 285) << true;
}

void MainWindowTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(bool, visible);

    TestWindow w;
    auto *control = w.window().findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), &w.window());
    QVERIFY(control->inherits(kind.toLatin1()));
    QCOMPARE(control->isVisible(), visible);
    QVERIFY(control->isEnabled());
    QCOMPARE(control->geometry(), QRect(pixels(twips.x()), pixels(twips.y()), pixels(twips.width()),
                                        pixels(twips.height())));
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        QCOMPARE(button->text(), caption);
    if (auto *box = qobject_cast<QCheckBox *>(control))
        QCOMPARE(box->checkState(), Qt::Unchecked);
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        QCOMPARE(edit->text(), QString());
}

void MainWindowTest::layoutAtStandardResolution()
{
    if (QGuiApplication::primaryScreen()->logicalDotsPerInchX() != 96)
        QSKIP("the screen is not at 96 dots per inch");
    TestWindow w;
    // 15 twips to the pixel.
    QCOMPARE(w.window().size(), QSize(815, 697));
    QCOMPARE(w.grid("msfmain0")->geometry(), QRect(24, 8, 753, 213));
    QCOMPARE(w.grid("msfmain")->geometry(), QRect(24, 221, 753, 213));
    QCOMPARE(w.grid("msfunit")->geometry(), QRect(24, 434, 753, 213));
    QCOMPARE(w.button("cmddim")->geometry(), QRect(174, 664, 81, 25));
    QCOMPARE(w.text1()->geometry(), QRect(96, 664, 65, 19));
}

void MainWindowTest::tabOrder()
{
    TestWindow w;
    const QStringList expected = {"msfmain0", "msfmain", "msfunit",  "cmdrun",   "cmddim",
                                  "cmdclr",   "Check1",  "cmdpivot", "cmdpidim", "Text1"};
    QStringList chain;
    QWidget *start = w.grid("msfmain0");
    QWidget *widget = start;
    do {
        if (expected.contains(widget->objectName()) && widget->parentWidget() == &w.window() &&
            !chain.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != start);
    QCOMPARE(chain, expected);

    // Tab walks the visible controls that take the focus, the grids first.
    QCOMPARE(QApplication::focusWidget(), w.grid("msfmain0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.grid("msfmain"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.grid("msfunit"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.button("cmdrun"));
}

void MainWindowTest::focusStartsOnFirstInputCell()
{
    TestWindow w;
    GridView *input = w.grid("msfmain0");
    QCOMPARE(QApplication::focusWidget(), input);
    QCOMPARE(input->currentIndex(), input->model()->index(1, 1));
    QCOMPARE(input->cells().row(), 1);
    QCOMPARE(input->cells().col(), 1);
}

void MainWindowTest::gridsAtStart_data()
{
    QTest::addColumn<QString>("grid");
    for (const QString &name : GridNames)
        QTest::newRow(qPrintable(name)) << name;
}

void MainWindowTest::gridsAtStart()
{
    QFETCH(QString, grid);
    TestWindow w;
    GridView *view = w.grid(grid);
    QCOMPARE(view->model()->rowCount(), 3);
    QCOMPARE(view->model()->columnCount(), 4);

    const QStringList expected = {"",  "1", "2", "", //
                                  "1", "",  "",  "", //
                                  "2", "",  "",  ""};
    QCOMPARE(allCellTexts(w, grid), expected);
    for (const QPoint &header : {QPoint(0, 1), QPoint(0, 2), QPoint(1, 0), QPoint(2, 0)})
        QCOMPARE(w.cellAlignment(grid, header.x(), header.y()), Qt::AlignCenter);

    // Columns 0 to 2 are 700 twips wide; column 3 keeps the default width.
    for (int col = 0; col <= 2; ++col)
        QVERIFY2(qAbs(view->visualRect(view->model()->index(1, col)).width() - pixels(700)) <= 1,
                 qPrintable(QString("column %1").arg(col)));
}

void MainWindowTest::pivotAcceleratorsAreInert_data()
{
    QTest::addColumn<char>("letter");
    QTest::newRow("Alt+M") << 'm';
    QTest::newRow("Alt+P") << 'p';
}

void MainWindowTest::pivotAcceleratorsAreInert()
{
    QFETCH(char, letter);
    TestWindow w;
    w.typeIntoCell(1, 1, "5");
    QStringList before;
    for (const QString &grid : GridNames)
        before << allCellTexts(w, grid);
    w.answerNextPrompt("3");

    w.pressAccelerator(letter);

    QStringList after;
    for (const QString &grid : GridNames)
        after << allCellTexts(w, grid);
    QCOMPARE(after, before);
    QCOMPARE(w.lastPromptLabel(), QString());
    QCOMPARE(w.form().pivotState, 0);
    QCOMPARE(w.form().dimN, 2);
    QCOMPARE(w.text1()->text(), QString());
    QVERIFY(!w.button("cmdpivot")->isVisible());
    QVERIFY(!w.button("cmdpidim")->isVisible());
    // The typed cell still takes ordinary keys.
    w.typeText("6");
    QCOMPARE(w.cellText("msfmain0", 1, 1), QStringLiteral("56"));
}

void MainWindowTest::visibleAcceleratorsAnswer()
{
    TestWindow w;
    // DIMENSION asks for n; the size prompt is modal over the window.
    w.answerNextPrompt("3");
    w.pressAccelerator('d');
    QCOMPARE(w.lastPromptLabel(), QStringLiteral("Select Dimention"));
    QCOMPARE(w.form().dimN, 3);
    QCOMPARE(w.grid("msfmain")->model()->rowCount(), 4);
    QCOMPARE(QApplication::focusWidget(), w.grid("msfmain0"));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"

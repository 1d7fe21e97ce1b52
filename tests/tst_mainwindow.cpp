// The window as it opens, and the inert accelerators of its hidden buttons.

#include "support/TestWindow.h"

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

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

  private slots:
    void startUp()
    {
        TestWindow w;
        QCOMPARE(w.window().windowTitle(), " Quelvar V1.0.0      www.quelvar.example");
        QCOMPARE(w.window().objectName(), QStringLiteral("Form1"));
        QCOMPARE(w.window().size(), QSize(pixels(12225), pixels(10455)));

        for (const char *grid : {"msfmain0", "msfmain", "msfunit"}) {
            GridView *view = w.grid(grid);
            QCOMPARE(view->model()->rowCount(), 3);
            QCOMPARE(view->model()->columnCount(), 4);
            QCOMPARE(w.rowTexts(grid, 0, 0, 3), QStringList({"", "1", "2", ""}));
            for (int i = 0; i <= 2; ++i) {
                // Columns 0 to 2 are 700 twips wide; the headers are centred.
                QVERIFY(qAbs(view->visualRect(view->model()->index(1, i)).width() - pixels(700)) <=
                        1);
                if (i == 0)
                    continue;
                QCOMPARE(w.rowTexts(grid, i, 0, 3), QStringList({QString::number(i), "", "", ""}));
                QCOMPARE(w.cellAlignment(grid, 0, i), Qt::AlignCenter);
                QCOMPARE(w.cellAlignment(grid, i, 0), Qt::AlignCenter);
            }
        }

        GridView *input = w.grid("msfmain0");
        QCOMPARE(QApplication::focusWidget(), input);
        QCOMPARE(input->currentIndex(), input->model()->index(1, 1));
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
        QTest::keyClick(input, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.grid("msfmain"));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<bool>("visible");
        QTest::newRow("msfmain0") << "" << QRect(360, 120, 11295, 3200) << true;
        QTest::newRow("msfmain") << "" << QRect(360, 3315, 11295, 3195) << true;
        QTest::newRow("msfunit") << "" << QRect(360, 6510, 11295, 3195) << true;
        QTest::newRow("cmdrun") << "&SOLVE" << QRect(3945, 9960, 1095, 375) << true;
        QTest::newRow("cmddim") << "&DIMENSION" << QRect(2610, 9960, 1215, 375) << true;
        QTest::newRow("cmdclr") << "&CLEAR" << QRect(9240, 9960, 1095, 375) << true;
        QTest::newRow("Check1") << " Delay" << QRect(240, 9960, 1095, 255) << true;
        QTest::newRow("cmdpivot") << "&PIVOT" << QRect(7080, 9960, 1095, 375) << false;
        QTest::newRow("cmdpidim") << "PIVOT DI&M" << QRect(5880, 9960, 1095, 375) << false;
        QTest::newRow("Text1") << "" << QRect(1440, 9960, 975, 285) << true;
    }

    void controls()
    {
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        QFETCH(bool, visible);
        TestWindow w;
        auto *control = w.window().findChild<QWidget *>(QTest::currentDataTag());
        QVERIFY(control);
        QCOMPARE(control->isVisible(), visible);
        QCOMPARE(control->geometry(), QRect(pixels(twips.x()), pixels(twips.y()),
                                            pixels(twips.width()), pixels(twips.height())));
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            QCOMPARE(button->text(), caption);
    }

    void pivotAcceleratorsAreInert()
    {
        for (char letter : {'m', 'p'}) {
            TestWindow w;
            w.typeIntoCell(1, 1, "5");
            const QStringList before = allCellTexts(w);
            w.answerNextPrompt("3");
            w.pressAccelerator(letter);
            QCOMPARE(allCellTexts(w), before);
            QCOMPARE(w.lastPromptLabel(), QString());
            w.typeText("6");
            QCOMPARE(w.cellText("msfmain0", 1, 1), QStringLiteral("56"));
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"

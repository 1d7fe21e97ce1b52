// CLEAR blanks the n x (n + 1) block of every grid and the header of column
// n + 1, keeps the labels and formats, and puts the user back at (1, 1).

#include "support/TestWindow.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "ui/GridView.h"

#include <QLineEdit>
#include <QtTest>

namespace {

const QStringList GridNames = {"msfmain0", "msfmain", "msfunit"};

void pressClear(TestWindow &w, const QString &how)
{
    if (how == "click")
        w.press("cmdclr");
    else
        w.pressAccelerator('c');
}

QStringList numbers(int first, int last)
{
    QStringList texts;
    for (int i = first; i <= last; ++i)
        texts << QString::number(i);
    return texts;
}

} // namespace

class ClearTest : public QObject
{
    Q_OBJECT

  private slots:
    void clearsTheSolvedSystem_data();
    void clearsTheSolvedSystem();
    void clearsAfterDimension_data();
    void clearsAfterDimension();
    void typingAfterClearFillsFirstCell();
    void clearKeepsTheFormState();
};

void ClearTest::clearsTheSolvedSystem_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("click") << "click";
    QTest::newRow("Alt+C") << "accelerator";
}

void ClearTest::clearsTheSolvedSystem()
{
    QFETCH(QString, how);
    TestWindow w;
    w.typeMatrix({{"2", "1", "3"}, {"1", "3", "5"}});
    w.press("cmdrun");
    QCOMPARE(w.rowTexts("msfmain", 1, 1, 3), (QStringList{"1", "0", "0.8"}));
    w.clickCell("msfmain", 2, 2); // the focus elsewhere

    pressClear(w, how);

    for (const QString &grid : GridNames) {
        QCOMPARE(w.rowTexts(grid, 0, 0, 3), (QStringList{"", "1", "2", ""}));
        QCOMPARE(w.rowTexts(grid, 1, 0, 3), (QStringList{"1", "", "", ""}));
        QCOMPARE(w.rowTexts(grid, 2, 0, 3), (QStringList{"2", "", "", ""}));
        QCOMPARE(w.cellAlignment(grid, 0, 1), Qt::AlignCenter);
        QCOMPARE(w.cellAlignment(grid, 2, 0), Qt::AlignCenter);
    }
    GridView *input = w.grid("msfmain0");
    QCOMPARE(QApplication::focusWidget(), input);
    QCOMPARE(input->currentIndex(), input->model()->index(1, 1));
    QCOMPARE(w.grid("msfmain")->currentIndex(), w.grid("msfmain")->model()->index(0, 3));
    QCOMPARE(w.grid("msfunit")->currentIndex(), w.grid("msfunit")->model()->index(0, 3));

    // A typed cell keeps its look: white, arial 9, centred.
    const QModelIndex typed = input->model()->index(2, 3);
    QCOMPARE(typed.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));
    QCOMPARE(typed.data(Qt::FontRole).value<QFont>().family().toLower(), QStringLiteral("arial"));
    QCOMPARE(w.cellAlignment("msfmain0", 2, 3), Qt::AlignCenter);
}

void ClearTest::clearsAfterDimension_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("n = 3") << 3;
    QTest::newRow("n = 4") << 4;
}

void ClearTest::clearsAfterDimension()
{
    QFETCH(int, n);
    TestWindow w;
    w.answerNextPrompt(QString::number(n));
    w.press("cmddim");
    QCOMPARE(w.form().dimN, n);
    for (int r = 1; r <= n; ++r) {
        QStringList row(n + 1, QString());
        row[r - 1] = "1";
        row[n] = QString::number(r);
        w.typeMatrix({row}, r);
    }
    w.press("cmdrun");
    QCOMPARE(w.cellText("msfunit", n, n + 1), QString::number(n));

    pressClear(w, "click");

    const QStringList empty(n + 1, QString());
    for (const QString &grid : GridNames) {
        QCOMPARE(w.rowTexts(grid, 0, 1, n + 1), numbers(1, n) << "");
        for (int r = 1; r <= n; ++r) {
            QCOMPARE(w.cellText(grid, r, 0), QString::number(r));
            QCOMPARE(w.rowTexts(grid, r, 1, n + 1), empty);
        }
    }
    QCOMPARE(w.grid("msfmain0")->currentIndex(), w.grid("msfmain0")->model()->index(1, 1));
}

void ClearTest::typingAfterClearFillsFirstCell()
{
    TestWindow w;
    w.typeIntoCell(2, 2, "6");
    pressClear(w, "accelerator");
    w.typeText("9");
    QCOMPARE(w.cellText("msfmain0", 1, 1), QStringLiteral("9"));
    QCOMPARE(w.cellText("msfmain0", 2, 2), QString());
}

void ClearTest::clearKeepsTheFormState()
{
    TestWindow w;
    w.typeMatrix({{"2", "1", "3"}, {"1", "3", "5"}});
    w.press("cmdrun");
    const double input11 = w.form().matInput(1, 1).toDouble();
    const double working13 = w.form().matWorking(1, 3).toDouble();

    w.press("cmdclr");

    QCOMPARE(w.form().dimN, 2);
    QCOMPARE(w.form().matInput(1, 1).toDouble(), input11);
    QCOMPARE(w.form().matWorking(1, 3).toDouble(), working13);
    QCOMPARE(w.form().ii.toDouble(), 3.0);
    QCOMPARE(w.form().jj.toDouble(), 4.0);
    QCOMPARE(w.text1()->text(), QString());
}

QTEST_MAIN(ClearTest)
#include "tst_clear.moc"

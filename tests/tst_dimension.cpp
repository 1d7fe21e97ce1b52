// DIMENSION: the answers it takes and how they round, the blank layout it
// leaves, and the answers it refuses without changing anything but the focus.

#include "TestWindow.h"

#include <QtTest>

class DimensionTest : public QObject
{
    Q_OBJECT

  private slots:
    void answers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("n"); // none: refused
        for (const QString &row :
             QString("1=2;3=3;2.5=2;3.5=4;2.4999=2;4 rows=4;4,5=4;1E1=10;1 2=12;"
                     "1.5;0;-2;word;;Cancel;1E400;40000;32765.5;1001")
                 .split(';'))
            QTest::newRow(qPrintable(row)) << row.section('=', 0, 0) << row.section('=', 1).toInt();
    }

    // From a solved 3 x 3 system, with a result cell current.
    void answers()
    {
        QFETCH(QString, answer);
        QFETCH(int, n);
        TestWindow w;
        w.prompts.add("3");
        w.press("cmddim");
        w.typeMatrix({{"1", "2", "3", "4"}, {"5", "6", "7", "8"}, {"9", "1", "2", "3"}});
        w.press("cmdrun");
        w.clickCell("msfmain", 2, 3);
        QStringList expected = w.grids();
        w.prompts.add(answer == "Cancel" ? std::nullopt : std::optional(answer));
        w.pressAccelerator('d');
        QCOMPARE(w.prompts.last, "Select Dimention|Quelvar");
        if (n > 0) {
            // Headers 1..n both ways, column n + 1 unlabelled, every cell
            // blank even at the same n.
            QStringList grid = {QString("%1x%2").arg(n + 1).arg(n + 2), "|"};
            for (int i = 1; i <= n; ++i) {
                grid[1] += QString::number(i) + "|";
                grid << QString::number(i) + QString(n + 1, '|');
            }
            expected = grid + grid + grid;
            QCOMPARE(w.rows("msfunit", 0, 1, 0, n, true)[0].right(1) +
                         w.rows("msfunit", n, n, 0, 0, true)[0],
                     "CC");
        }
        QCOMPARE(w.grids(), expected);
        QTRY_COMPARE(w.focus(), "msfmain0 (1, 1)");
    }
};

QTEST_MAIN(DimensionTest)
#include "tst_dimension.moc"

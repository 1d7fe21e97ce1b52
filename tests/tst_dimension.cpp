// DIMENSION: the answers it takes and how they round, the blank layout it
// leaves, and the answers it refuses without changing anything but the focus.

#include "TestWindow.h"

#include <QtTest>

#include <atomic>
#include <cstdlib>
#include <new>

// Memory that runs out part of the way through a layout: while failFrom is
// not 0, the failFrom-th request of 64 KB or more and all after it fail.
// Arrays of objects keep the allocator they have (the sanitizer's, or the
// library's, which comes here).
static std::atomic<long> failFrom = 0, largeRequests = 0;

void *operator new(std::size_t size)
{
    if (size >= 65536 && failFrom > 0 && ++largeRequests >= failFrom)
        throw std::bad_alloc();
    if (void *memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept
{
    return size >= 65536 && failFrom > 0 ? nullptr : std::malloc(size ? size : 1);
}
void operator delete(void *memory) noexcept
{
    std::free(memory);
}
void operator delete(void *memory, std::size_t) noexcept
{
    std::free(memory);
}

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

    void memoryRunsOut_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("n");
        QTest::newRow("DIMENSION") << "cmddim" << Form1::LargestDimension;
        QTest::newRow("PIVOT DIM") << "cmdpidim" << Form1::LargestTableau;
    }

    // Memory that runs out at any of the large allocations of a layout: the
    // answer is refused like any other, and SOLVE still solves the system
    // typed before. With the memory there, the layout is made.
    void memoryRunsOut()
    {
        QFETCH(QString, command);
        QFETCH(int, n);
        TestWindow w;
        w.typeMatrix({{"2", "1", "3"}, {"4", "3", "7"}});
        w.press("cmdrun");
        const QStringList solved = w.grids();
        for (long failing = 1;; ++failing) {
            largeRequests = 0;
            failFrom = failing;
            w.prompts.add(QString::number(n));
            w.press(command);
            failFrom = 0;
            if (largeRequests < failing)
                break;
            const Form1 &f = w.form(); // n and the arrays of start-up
            QCOMPARE(QList<long>({f.dimN, f.matInput.colUpperBound(), f.matWorking.colUpperBound(),
                                  f.matSide.colUpperBound(), f.basicCost.isCreated()}),
                     QList<long>({2, 3, 3, 3, false}));
            w.press("cmdrun");
            QCOMPARE(w.grids(), solved);
        }
        QCOMPARE(w.form().dimN, n);
    }
};

QTEST_MAIN(DimensionTest)
#include "tst_dimension.moc"

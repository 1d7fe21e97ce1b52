// DIMENSION and PIVOT DIM when the memory runs out part of the way through a
// layout. The answers they take and the layouts they make are compared with
// a reference model in tst_reference.

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
            QCOMPARE(w.prompts.last, "Select Dimention|Quelvar");
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

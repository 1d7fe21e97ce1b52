// The event pump that lets the window's events run in the pauses of a run.

#include "TestWindow.h"

#include <QtTest>

using QtWs = QtWindowServices;

class WindowServicesTest : public QObject
{
    Q_OBJECT

  private slots:
    // A turn runs the pending events; between turns, calls within the event
    // interval only look at the clock.
    void pumpRunsPendingEventsOncePerInterval()
    {
        TestWindow w;
        int delivered = 0;
        QElapsedTimer turned; // started no later than the pump's turn
        turned.start();
        QTimer::singleShot(0, &w.window, [&] { ++delivered; }); // a pending call
        QVERIFY(w.services().doEvents() && delivered == 1);
        QTimer::singleShot(0, &w.window, [&] { ++delivered; });
        QVERIFY(w.services().doEventsWhenDue());
        // The pump reads a coarse clock: only a call well within the interval
        // is sure to find it not yet due.
        if (turned.elapsed() < QtWs::EventIntervalMs - QtWs::ClockResolutionMs)
            QCOMPARE(delivered, 1);
        QTest::qSleep(QtWs::EventIntervalMs + QtWs::ClockResolutionMs + 1);
        QVERIFY(w.services().doEventsWhenDue() && delivered == 2);
    }
};

QTEST_MAIN(WindowServicesTest)
#include "tst_windowservices.moc"

// The event pump that lets the window's events run in the pauses of a run.

#include "TestWindow.h"

#include <QtTest>

class WindowServicesTest : public QObject
{
    Q_OBJECT

  private slots:
    // A pause runs the events pending at that moment; without Delay, once the
    // event interval has passed since the last turn.
    void pumpRunsPendingEventsOncePerInterval()
    {
        TestWindow w;
        int delivered = 0;
        QTimer::singleShot(0, &w.window, [&] { ++delivered; });
        QVERIFY(w.services().doEvents() && delivered == 1);
        QTimer::singleShot(0, &w.window, [&] { ++delivered; });
        QTest::qSleep(QtWindowServices::EventIntervalMs + QtWindowServices::ClockResolutionMs + 1);
        QVERIFY(w.services().doEventsWhenDue() && delivered == 2);
    }
};

QTEST_MAIN(WindowServicesTest)
#include "tst_windowservices.moc"

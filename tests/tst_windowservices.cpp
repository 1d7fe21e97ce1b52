// The event pump that lets the window's events run in the pauses of a run.

#include "TestWindow.h"

#include <QtTest>

class WindowServicesTest : public QObject
{
    Q_OBJECT

  private slots:
    // A pause runs the events pending at that moment; without Delay, once the
    // pacer finds the pump due (tst_pausepacer tells when that is).
    void pumpRunsPendingEvents()
    {
        TestWindow w;
        int delivered = 0;
        QTimer::singleShot(0, &w.window, [&] { ++delivered; });
        QVERIFY(w.services().doEvents() && delivered == 1);
        QTimer::singleShot(0, &w.window, [&] { ++delivered; });
        QElapsedTimer pausing;
        pausing.start();
        while (delivered == 1 && pausing.elapsed() < 1000)
            QVERIFY(w.services().doEventsWhenDue());
        QCOMPARE(delivered, 2);
    }
};

QTEST_MAIN(WindowServicesTest)
#include "tst_windowservices.moc"

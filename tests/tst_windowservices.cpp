// The event pump that lets the window's events run in the pauses of a run.

#include "app/MainWindow.h"
#include "ui/QtWindowServices.h"

#include <QtTest>

class WindowServicesTest : public QObject
{
    Q_OBJECT

  private slots:
    void pumpRunsPendingEventsOncePerInterval_data()
    {
        QTest::addColumn<bool>("watched");
        QTest::newRow("pauses watched") << true;
        QTest::newRow("pauses not watched") << false;
    }

    // A pause runs the events pending at that moment; without Delay, once the
    // event interval has passed since the last turn. While pauses come by the
    // hundred only every few of them look at the clock, but once they are
    // sparse again the first one that is due runs the events. Once the window
    // is closing, a pause tells the run to stop.
    void pumpRunsPendingEventsOncePerInterval()
    {
        QFETCH(bool, watched);
        MainWindow window;
        QtWindowServices &services = window.services();
        if (watched)
            connect(&services, &QtWindowServices::pauseReached, this, [] {});
        int delivered = 0;
        const auto post = [&] { QTimer::singleShot(0, &window, [&] { ++delivered; }); };
        const auto postWhenDue = [&] {
            QTest::qSleep(QtWindowServices::EventIntervalMs + QtWindowServices::ClockResolutionMs +
                          1);
            post();
        };
        post();
        QVERIFY(services.doEvents() && delivered == 1);
        postWhenDue();
        QVERIFY(services.doEventsWhenDue() && delivered == 2);
        for (int pause = 0; pause < 1000; ++pause)
            services.doEventsWhenDue();
        postWhenDue();
        for (int pause = 0; pause < 100 && delivered == 2; ++pause)
            services.doEventsWhenDue();
        postWhenDue();
        QVERIFY(services.doEventsWhenDue() && delivered == 4);
        window.close();
        QVERIFY(!services.doEventsWhenDue() && !services.doEvents());
    }
};

QTEST_MAIN(WindowServicesTest)
#include "tst_windowservices.moc"

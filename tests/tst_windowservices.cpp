// The event pump that lets the window's events run in the pauses of a run.

#include "app/qt/MainWindow.h"
#include "ui/qt/QtWindowServices.h"

#include <QtTest>

class WindowServicesTest : public QObject
{
    Q_OBJECT

  private slots:
    void pumpRunsPendingEvents_data()
    {
        QTest::addColumn<bool>("watched");
        QTest::newRow("pauses watched") << true;
        QTest::newRow("pauses not watched") << false;
    }

    // A pause runs the events pending at that moment; without Delay, once the
    // pacer finds the pump due (tst_pausepacer tells when that is), whether
    // or not anyone watches the pauses. Once the window is closing, a pause
    // tells the run to stop.
    void pumpRunsPendingEvents()
    {
        QFETCH(bool, watched);
        MainWindow window;
        QtWindowServices &services = window.services();
        if (watched)
            connect(&services, &QtWindowServices::pauseReached, this, [] {});
        int delivered = 0;
        const auto post = [&] { QTimer::singleShot(0, &window, [&] { ++delivered; }); };
        post();
        QVERIFY(services.doEvents() && delivered == 1);
        post();
        QElapsedTimer pausing;
        pausing.start();
        while (delivered == 1 && pausing.elapsed() < 1000)
            QVERIFY(services.doEventsWhenDue());
        QCOMPARE(delivered, 2);
        window.close();
        QVERIFY(!services.doEventsWhenDue() && !services.doEvents());
    }
};

QTEST_MAIN(WindowServicesTest)
#include "tst_windowservices.moc"

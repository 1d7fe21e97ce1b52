// The Delay box, text box, input box and event pump that the procedures use,
// and what closing the window does to a running procedure.

#include "support/TestWindow.h"

#include "app/MainWindow.h"
#include "ui/QtWindowServices.h"

#include <QLineEdit>
#include <QtTest>

using QtWs = QtWindowServices;

class WindowServicesTest : public QObject
{
    Q_OBJECT

    int delivered = 0;
    QObject context; // the receiver of the pending calls

  private slots:
    void init() { delivered = 0; }

    void check1Text1AndInputBox()
    {
        TestWindow w;
        w.setDelay(true);
        QCOMPARE(w.services().check1Value(), 1);
        w.services().setText1("12.5");
        QCOMPARE(w.text1()->text(), QStringLiteral("12.5"));
        w.answerNextPrompt(" 4 ");
        QCOMPARE(w.services().inputBox("Select Dimention", "", ""), std::string(" 4 "));
        w.cancelNextPrompt();
        QCOMPARE(w.services().inputBox("Select Dimention", "", "7"), std::string());
        // An input box without a title of its own carries the program's name.
        QCOMPARE(w.lastPromptLabel() + '|' + w.lastPromptTitle(), "Select Dimention|Quelvar");
    }

    // A turn runs the pending events; between turns, calls within the event
    // interval only look at the clock.
    void pumpRunsPendingEventsOncePerInterval()
    {
        TestWindow w;
        QElapsedTimer turned; // started no later than the pump's turn
        turned.start();
        QTimer::singleShot(0, &context, [this] { ++delivered; }); // a pending call
        QVERIFY(w.services().doEvents() && delivered == 1);
        QTimer::singleShot(0, &context, [this] { ++delivered; }); // a pending call
        QVERIFY(w.services().doEventsWhenDue());
        // The pump reads a coarse clock: only a call well within the interval
        // is sure to find it not yet due.
        if (turned.elapsed() < QtWs::EventIntervalMs - QtWs::ClockResolutionMs)
            QCOMPARE(delivered, 1);
        QTest::qSleep(QtWs::EventIntervalMs + QtWs::ClockResolutionMs + 1);
        QVERIFY(w.services().doEventsWhenDue() && delivered == 2);
    }

    // Closed in the second pause of SOLVE on [[2, 1 | 3], [1, 3 | 5]] with
    // Delay: the run ends at once, and the pump stays stopped.
    void closingInADelayPauseEndsTheRun()
    {
        TestWindow w;
        w.typeMatrix({{"2", "1", "3"}, {"1", "3", "5"}});
        w.setDelay(true);
        w.atPause(2, [&] { w.window().close(); });
        w.press("cmdrun");
        QCOMPARE(w.pauseCount(), 2);
        QVERIFY(!w.window().isVisible() && w.window().runDepth() == 0);
        QCOMPARE(w.rowTexts("msfmain", 1, 1, 3) + w.rowTexts("msfmain", 2, 1, 3),
                 (QStringList{"2", "1", "3", "1", "3", "5"}));
        QTimer::singleShot(0, &context, [this] { ++delivered; }); // a pending call
        QVERIFY(!w.services().doEvents());
        QTest::qSleep(QtWs::EventIntervalMs + QtWs::ClockResolutionMs + 1);
        QVERIFY(!w.services().doEventsWhenDue() && delivered == 0);
    }
};

QTEST_MAIN(WindowServicesTest)
#include "tst_windowservices.moc"

// The Delay box, text box, input box and event pump that the procedures use,
// and what closing the window does to a running procedure.

#include "support/TestWindow.h"

#include "app/MainWindow.h"
#include "ui/GridView.h"
#include "ui/QtWindowServices.h"

#include <QLineEdit>
#include <QtTest>

#include <thread>

namespace {

// Counts the paint events that reach the widgets it filters.
struct PaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class WindowServicesTest : public QObject
{
    Q_OBJECT

  private slots:
    void check1Text1AndInputBox()
    {
        TestWindow w;
        QCOMPARE(w.services().check1Value(), 0);
        w.setDelay(true);
        QCOMPARE(w.services().check1Value(), 1);
        w.services().setText1("12.5");
        QCOMPARE(w.text1()->text(), QStringLiteral("12.5"));
        for (const char *answer : {"3", " 4 ", ""}) {
            w.answerNextPrompt(answer);
            QCOMPARE(w.services().inputBox("Select Dimention", "", ""), std::string(answer));
        }
        w.cancelNextPrompt();
        QCOMPARE(w.services().inputBox("Select Dimention", "", "7"), std::string());
        QCOMPARE(w.lastPromptLabel(), QStringLiteral("Select Dimention"));
        // An input box without a title of its own carries the program's name.
        QCOMPARE(w.lastPromptTitle(), QStringLiteral("Quelvar"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void pumpRunsPendingEventsAndRepaints()
    {
        TestWindow w;
        GridView *view = w.grid("msfmain");
        QTest::qWait(50);
        PaintCounter counter;
        view->viewport()->installEventFilter(&counter);
        int delivered = 0;
        QObject context; // takes the posted call along when it goes
        QMetaObject::invokeMethod(
            &context, [&] { ++delivered; }, Qt::QueuedConnection);
        QVERIFY(view->cells().setRow(2) && view->cells().setCol(2));
        view->cells().setText("0.3333");
        QVERIFY(w.services().doEvents());
        // One turn of the pump painted the change: a held step is on screen.
        QVERIFY(counter.paints > 0);
        QCOMPARE(delivered, 1);
    }

    void pumpWhenDueWaitsForTheEventInterval()
    {
        TestWindow w;
        int delivered = 0;
        QObject context;
        // Taken before the turn, so the pump's own idea of its last turn is no
        // earlier than this.
        const auto turned = std::chrono::steady_clock::now();
        QVERIFY(w.services().doEvents());
        QMetaObject::invokeMethod(
            &context, [&] { ++delivered; }, Qt::QueuedConnection);
        QVERIFY(w.services().doEventsWhenDue());
        // The pump reads a coarse clock: only a call well within the interval
        // is sure to find it not yet due.
        const bool withinInterval = std::chrono::steady_clock::now() - turned <
                                    std::chrono::milliseconds(QtWindowServices::EventIntervalMs -
                                                              QtWindowServices::ClockResolutionMs);
        if (withinInterval)
            QCOMPARE(delivered, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(
            QtWindowServices::EventIntervalMs + QtWindowServices::ClockResolutionMs + 1));
        QVERIFY(w.services().doEventsWhenDue());
        QCOMPARE(delivered, 1);
        QCOMPARE(w.pauseCount(), 3); // every call is a pause, due or not
    }

    void closingStopsThePump()
    {
        TestWindow w;
        w.window().close();
        QVERIFY(w.services().isClosing());
        int delivered = 0;
        QObject context; // takes the posted call along when it goes
        QMetaObject::invokeMethod(
            &context, [&] { ++delivered; }, Qt::QueuedConnection);
        QVERIFY(!w.services().doEvents());
        std::this_thread::sleep_for(std::chrono::milliseconds(
            QtWindowServices::EventIntervalMs + QtWindowServices::ClockResolutionMs + 1));
        QVERIFY(!w.services().doEventsWhenDue());
        QCOMPARE(delivered, 0);
        // The size prompt no longer comes up.
        w.answerNextPrompt("3");
        QCOMPARE(w.services().inputBox("Select Dimention", "", ""), std::string());
    }

    // SOLVE on [[2, 1 | 3], [1, 3 | 5]] pauses after its first display and before
    // every step. Nested: SOLVE again in pause 3, closed in the inner pause 2.
    void endingTheWindowEndsTheRun_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<qint64>("pauses");
        QTest::newRow("close in a Delay pause") << "close" << qint64(2);
        QTest::newRow("quit in a Delay pause") << "quit" << qint64(2);
        QTest::newRow("close in a nested run") << "nested" << qint64(3 + 2);
    }

    void endingTheWindowEndsTheRun()
    {
        QFETCH(QString, how);
        QFETCH(qint64, pauses);
        const bool nested = how == QLatin1String("nested");
        TestWindow w;
        w.typeMatrix({{"2", "1", "3"}, {"1", "3", "5"}});
        w.setDelay(!nested);
        int depth = 0;
        const auto end = [&] {
            depth = w.window().runDepth();
            if (how == QLatin1String("quit")) // arrives with the pump's next turn
                QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
            else
                w.window().close();
        };
        if (nested)
            w.atPause(3, [&] {
                w.atPause(2, end);
                w.press("cmdrun");
            });
        else
            w.atPause(2, end);
        w.press("cmdrun");
        QCOMPARE(w.pauseCount(), pauses);
        QCOMPARE(depth, nested ? 2 : 1);
        QVERIFY(w.services().isClosing());
        QVERIFY(!w.window().isVisible());
        QCOMPARE(w.window().runDepth(), 0);
        // The working grid stays where the run stopped: no elimination step.
        if (!nested)
            QCOMPARE(w.rowTexts("msfmain", 1, 1, 3) + w.rowTexts("msfmain", 2, 1, 3),
                     (QStringList{"2", "1", "3", "1", "3", "5"}));
    }
};

QTEST_MAIN(WindowServicesTest)
#include "tst_windowservices.moc"

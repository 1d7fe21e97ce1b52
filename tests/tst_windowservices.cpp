// The services the procedures use besides the grids: the Delay box, the text
// box, the input box and the event pump, and what closing the window does to
// a running procedure.

#include "support/TestWindow.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "ui/GridView.h"
#include "ui/QtWindowServices.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QtTest>

#include <thread>

namespace {

// Counts the paint events that reach a widget.
class PaintCounter : public QObject
{
  public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// An event that records its delivery.
class Marker : public QObject
{
  public:
    bool delivered = false;

  protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User) {
            delivered = true;
            return true;
        }
        return QObject::event(event);
    }
};

// Records how an input box looks when it comes up.
class PromptWatcher : public QObject
{
  public:
    PromptWatcher() { qApp->installEventFilter(this); }
    int shown = 0;
    QString title, label, defaultText;
    bool modal = false;
    QWidget *parent = nullptr;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QInputDialog *>(watched);
        if (dialog && event->type() == QEvent::Show) {
            ++shown;
            title = dialog->windowTitle();
            label = dialog->labelText();
            defaultText = dialog->textValue();
            modal = dialog->isModal();
            parent = dialog->parentWidget();
        }
        return false;
    }
};

} // namespace

class WindowServicesTest : public QObject
{
    Q_OBJECT

  private slots:
    void check1Value();
    void setText1ReplacesTheText();
    void inputBoxAnswered_data();
    void inputBoxAnswered();
    void inputBoxCancelled();
    void inputBoxCarriesPromptAndTitle();
    void pumpShowsChangedCells();
    void pumpRunsPendingEvents();
    void pumpWhenDueWaitsForTheEventInterval();
    void everyPauseIsCounted();
    void closingStopsThePump();
    void closeDuringPauseEndsTheRun();
    void closeDuringNestedRunEndsBoth();
    void quitDuringPauseEndsTheRun();
    void noProcedureStartsOnceClosing();
};

void WindowServicesTest::check1Value()
{
    TestWindow w;
    QCOMPARE(w.services().check1Value(), 0);
    w.setDelay(true);
    QCOMPARE(w.services().check1Value(), 1);
    w.setDelay(false);
    QCOMPARE(w.services().check1Value(), 0);
    // A greyed box (not something the user can reach here) does not count
    // as ticked.
    w.check1()->setTristate(true);
    w.check1()->setCheckState(Qt::PartiallyChecked);
    QCOMPARE(w.services().check1Value(), 2);
}

void WindowServicesTest::setText1ReplacesTheText()
{
    TestWindow w;
    w.services().setText1("12.5");
    QCOMPARE(w.text1()->text(), QStringLiteral("12.5"));
    w.services().setText1("-3");
    QCOMPARE(w.text1()->text(), QStringLiteral("-3"));
    w.services().setText1("");
    QCOMPARE(w.text1()->text(), QString());
}

void WindowServicesTest::inputBoxAnswered_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("digits") << "3";
    QTest::newRow("decimal") << "2.5";
    QTest::newRow("blanks kept") << " 4 ";
    QTest::newRow("word") << "abc";
    QTest::newRow("empty") << "";
}

void WindowServicesTest::inputBoxAnswered()
{
    QFETCH(QString, answer);
    TestWindow w;
    w.answerNextPrompt(answer);
    const std::string typed = w.services().inputBox("Select Dimention", "", "");
    QCOMPARE(QString::fromStdString(typed), answer);
    QCOMPARE(w.lastPromptLabel(), QStringLiteral("Select Dimention"));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void WindowServicesTest::inputBoxCancelled()
{
    TestWindow w;
    w.cancelNextPrompt();
    QCOMPARE(w.services().inputBox("How many?", "", "7"), std::string());
    QCOMPARE(w.lastPromptLabel(), QStringLiteral("How many?"));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void WindowServicesTest::inputBoxCarriesPromptAndTitle()
{
    TestWindow w;
    PromptWatcher watcher;
    w.cancelNextPrompt();
    w.services().inputBox("Select Dimention", "", "");
    QCOMPARE(watcher.shown, 1);
    QCOMPARE(watcher.title, QStringLiteral("Quelvar"));
    QCOMPARE(watcher.label, QStringLiteral("Select Dimention"));
    QCOMPARE(watcher.defaultText, QString());
    QVERIFY(watcher.modal);
    QCOMPARE(watcher.parent, &w.window());

    w.cancelNextPrompt();
    w.services().inputBox("Rows?", "Size", "4");
    QCOMPARE(watcher.shown, 2);
    QCOMPARE(watcher.title, QStringLiteral("Size"));
    QCOMPARE(watcher.defaultText, QStringLiteral("4"));
}

void WindowServicesTest::pumpShowsChangedCells()
{
    TestWindow w;
    GridView *view = w.grid("msfmain");
    QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
    QTest::qWait(50);
    PaintCounter counter(view->viewport());

    CellGrid &cells = view->cells();
    QVERIFY(cells.setRow(2));
    QVERIFY(cells.setCol(2));
    cells.setText("0.3333");
    QVERIFY(w.services().doEvents());

    // One turn of the pump painted the change: a held step is on screen.
    QVERIFY(counter.paints > 0);
    QCOMPARE(w.cellText("msfmain", 2, 2), QStringLiteral("0.3333"));
    QCOMPARE(view->currentIndex(), view->model()->index(2, 2));
}

void WindowServicesTest::pumpRunsPendingEvents()
{
    TestWindow w;
    Marker marker;
    QCoreApplication::postEvent(&marker, new QEvent(QEvent::User));
    QVERIFY(w.services().doEvents());
    QVERIFY(marker.delivered);
}

void WindowServicesTest::pumpWhenDueWaitsForTheEventInterval()
{
    TestWindow w;
    Marker marker;
    // Taken before the turn, so the pump's own idea of its last turn is no
    // earlier than this.
    const auto turned = std::chrono::steady_clock::now();
    QVERIFY(w.services().doEvents());
    QCoreApplication::postEvent(&marker, new QEvent(QEvent::User));
    QVERIFY(w.services().doEventsWhenDue());
    // The pump reads a coarse clock: only a call well within the interval
    // is sure to find it not yet due.
    const bool withinInterval = std::chrono::steady_clock::now() - turned <
                                std::chrono::milliseconds(QtWindowServices::EventIntervalMs -
                                                          QtWindowServices::ClockResolutionMs);
    if (withinInterval)
        QVERIFY(!marker.delivered);

    std::this_thread::sleep_for(std::chrono::milliseconds(QtWindowServices::EventIntervalMs +
                                                          QtWindowServices::ClockResolutionMs + 1));
    QVERIFY(w.services().doEventsWhenDue());
    QVERIFY(marker.delivered);
}

void WindowServicesTest::everyPauseIsCounted()
{
    TestWindow w;
    QList<qint64> reached;
    connect(&w.services(), &QtWindowServices::pauseReached, this,
            [&](qint64 pause) { reached << pause; });
    const qint64 first = w.services().pauseCount();
    w.services().doEvents();
    w.services().doEventsWhenDue();
    w.services().doEventsWhenDue();
    QCOMPARE(reached, (QList<qint64>{first + 1, first + 2, first + 3}));
    QCOMPARE(w.pauseCount(), 3);
}

void WindowServicesTest::closingStopsThePump()
{
    TestWindow w;
    Marker marker;
    w.window().close();
    QVERIFY(w.services().isClosing());
    QVERIFY(!w.window().isVisible());
    QCoreApplication::postEvent(&marker, new QEvent(QEvent::User));
    QVERIFY(!w.services().doEvents());
    std::this_thread::sleep_for(std::chrono::milliseconds(QtWindowServices::EventIntervalMs +
                                                          QtWindowServices::ClockResolutionMs + 1));
    QVERIFY(!w.services().doEventsWhenDue());
    QVERIFY(!marker.delivered);
    // The size prompt no longer comes up.
    w.answerNextPrompt("3");
    QCOMPARE(w.services().inputBox("Select Dimention", "", ""), std::string());
    QCOMPARE(w.lastPromptLabel(), QString());
}

// With Delay, SOLVE on [[2, 1 | 3], [1, 3 | 5]] pauses once after its first
// display and before every step; closing the window in an early pause leaves
// the working grid where the run stopped.
void WindowServicesTest::closeDuringPauseEndsTheRun()
{
    TestWindow w;
    w.typeMatrix({{"2", "1", "3"}, {"1", "3", "5"}});
    w.setDelay(true);
    qint64 closedAt = 0;
    w.atPause(2, [&] {
        closedAt = w.pauseCount();
        w.window().close();
    });

    w.press("cmdrun");

    QCOMPARE(closedAt, 2);
    QCOMPARE(w.pauseCount(), 2);
    QVERIFY(w.services().isClosing());
    QCOMPARE(w.window().runDepth(), 0);
    // The first display is there; no elimination step was carried out.
    QCOMPARE(w.rowTexts("msfmain", 1, 1, 3), (QStringList{"2", "1", "3"}));
    QCOMPARE(w.rowTexts("msfmain", 2, 1, 3), (QStringList{"1", "3", "5"}));
}

void WindowServicesTest::closeDuringNestedRunEndsBoth()
{
    TestWindow w;
    w.typeMatrix({{"2", "1", "3"}, {"1", "3", "5"}});
    int depthInside = 0;
    // In the outer run's third pause, SOLVE is pressed again; the nested run
    // is closed in its own second pause.
    w.atPause(3, [&] {
        w.atPause(2, [&] {
            depthInside = w.window().runDepth();
            w.window().close();
        });
        w.press("cmdrun");
    });

    w.press("cmdrun");

    QCOMPARE(depthInside, 2);
    QCOMPARE(w.pauseCount(), 3 + 2);
    QCOMPARE(w.window().runDepth(), 0);
    QVERIFY(!w.window().isVisible());
}

void WindowServicesTest::quitDuringPauseEndsTheRun()
{
    TestWindow w;
    w.typeMatrix({{"2", "1", "3"}, {"1", "3", "5"}});
    w.setDelay(true); // every pause turns the pump
    w.atPause(2, [] { QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit)); });

    w.press("cmdrun");

    // The quit request arrives with the pump's next turn and ends the run
    // there; the rest of SOLVE never runs.
    QVERIFY(w.services().isClosing());
    QCOMPARE(w.pauseCount(), 2);
    QVERIFY(!w.window().isVisible());
    QCOMPARE(w.rowTexts("msfmain", 1, 1, 3), (QStringList{"2", "1", "3"}));
}

void WindowServicesTest::noProcedureStartsOnceClosing()
{
    TestWindow w;
    w.typeIntoCell(1, 1, "9");
    w.window().close();
    w.press("cmdclr");
    QCOMPARE(w.cellText("msfmain0", 1, 1), QStringLiteral("9"));
}

QTEST_MAIN(WindowServicesTest)
#include "tst_windowservices.moc"

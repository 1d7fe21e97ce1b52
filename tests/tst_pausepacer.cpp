// When the event pump turns in the pauses of a run without Delay, on a clock
// the test sets.

#include "ui/PausePacer.h"

#include <QtTest>

namespace {

std::int64_t now = 0;
int looks = 0; // how often the pacer read the clock

std::int64_t testClock()
{
    ++looks;
    return now;
}

// One pause of a run without Delay, as the window services take it: what the
// pump does at it.
QString pause(PausePacer &pacer)
{
    if (pacer.answeredByCount())
        return "counted";
    if (!pacer.pumpIsDue())
        return "looked";
    const bool repaint = pacer.repaintIsDue();
    pacer.pumpTurns(repaint);
    return repaint ? "repaint" : "turn";
}

} // namespace

class PausePacerTest : public QObject
{
    Q_OBJECT

  private slots:
    void init()
    {
        now = 1000;
        looks = 0;
    }

    // The pump turns once the event interval has passed since its last turn,
    // and repaints once the repaint interval has passed since the last
    // repaint; a pause in between only looks at the clock.
    void pumpTurnsOncePerInterval()
    {
        PausePacer pacer(testClock);
        pacer.countPause();
        pacer.pumpTurns(true); // a pause with Delay, at 1000 ms
        const std::pair<int, const char *> pauses[] = {
            {1000, "looked"}, {1009, "looked"}, {1010, "turn"},    {1019, "looked"},
            {1020, "turn"},   {1032, "turn"},   {1033, "looked"},  {1042, "repaint"},
            {1051, "looked"}, {1052, "turn"},   {1075, "repaint"}, {1075, "looked"}};
        for (const auto &[ms, expected] : pauses) {
            now = ms;
            QCOMPARE(QString::number(ms) + ' ' + pause(pacer),
                     QString::number(ms) + ' ' + expected);
        }
        QCOMPARE(pacer.pauseCount(), 13);
    }

    // Within one tick of the clock the first LooksPerTickBeforeSkipping
    // pauses look at it, then only every PausesPerLook-th; once the clock
    // has moved on, a pause sees it within PausesPerLook pauses and the pump
    // turns.
    void busyTickSkipsLooks()
    {
        PausePacer pacer(testClock);
        pacer.pumpTurns(true);
        looks = 0;
        const int first = PausePacer::LooksPerTickBeforeSkipping;
        const int every = PausePacer::PausesPerLook;
        for (int i = 0; i < 1000; ++i)
            QCOMPARE(pause(pacer), i < first || (i - first) % every == 0 ? "looked" : "counted");
        QCOMPARE(looks, first + (1000 - first - 1) / every + 1);
        now += PausePacer::EventIntervalMs;
        QString result;
        int late = 0;
        while ((result = pause(pacer)) == "counted")
            ++late;
        QVERIFY(late < every);
        QCOMPARE(result, "turn");
    }

    // Watched pauses and, once the window is closing, every pause go on past
    // the count.
    void watchedAndClosingPausesAlwaysLook()
    {
        for (const bool closing : {false, true}) {
            PausePacer pacer(testClock);
            pacer.pumpTurns(true);
            closing ? pacer.startClosing() : pacer.watchPauses();
            for (int i = 0; i < 1000; ++i)
                QVERIFY(!pacer.answeredByCount() && !pacer.pumpIsDue());
            now += PausePacer::EventIntervalMs;
            QVERIFY(!pacer.answeredByCount() && pacer.pumpIsDue());
        }
    }
};

QTEST_APPLESS_MAIN(PausePacerTest)
#include "tst_pausepacer.moc"

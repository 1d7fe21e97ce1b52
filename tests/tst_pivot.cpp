// PIVOT: a press run inside the pause of a step. What the load and the steps
// show, write by write and pause by pause, is compared with a reference model
// in tst_reference.

#include "TestWindow.h"

#include <QLineEdit>
#include <QtTest>

class PivotTest : public QObject
{
    Q_OBJECT

  private slots:
    // B = I, b = (4, 6), the entering column (1, 2) at cost 0: row 2 is the
    // pivot row. A press inside the pause between the ratio test and the
    // exchange does a whole step; the interrupted one then exchanges on row 2
    // again, which leaves what one step leaves.
    void aPressInsideAStep()
    {
        QStringList shown[2];
        for (bool nested : {false, true}) {
            TestWindow w;
            w.prompts.add("2");
            w.press("cmdpidim");
            w.typeMatrix({{"1", "0", "4"}, {"0", "1", "6"}}, 1, 2);
            w.press("cmdpivot");
            w.typeMatrix({{"1"}, {"2"}, {"0"}});
            if (nested)
                w.atPause(1, [&] { w.press("cmdpivot"); });
            w.press("cmdpivot");
            // The load's 12 pauses, then 2 for each step.
            QCOMPARE(w.services().pauseCount(), nested ? 12 + 2 + 2 : 12 + 2);
            shown[nested] = w.grids() << w.find<QLineEdit>("Text1")->text() << w.focus();
        }
        QCOMPARE(shown[1], shown[0]);
        QCOMPARE(shown[0].mid(7, 3),
                 QStringList({"1|0|1|-0.5|1", "2|1|0|0.5|3", "Total||1|-0.5|1"}));
    }

    // PIVOT on the layout of a DIMENSION beyond what a byte counts: the
    // loops on one-byte counters stop at row 254, and the press ends.
    void pressOnALargeLayout()
    {
        TestWindow w;
        w.prompts.add("256");
        w.press("cmddim");
        w.press("cmdpivot");
        QCOMPARE(w.window.runDepth(), 0);
        QCOMPARE(w.find<QLineEdit>("Text1")->text(), "0");
    }
};

QTEST_MAIN(PivotTest)
#include "tst_pivot.moc"

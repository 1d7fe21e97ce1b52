// CLEAR blanks the n x (n + 1) block of every grid and the header of column
// n + 1, keeps the labels and formats, and puts the user back at (1, 1).

#include "support/TestWindow.h"

#include "ui/GridView.h"

#include <QtTest>

class ClearTest : public QObject
{
    Q_OBJECT

  private slots:
    void clearsTheSolvedSystem()
    {
        for (bool byAccelerator : {false, true}) {
            TestWindow w;
            w.typeMatrix({{"2", "1", "3"}, {"1", "3", "5"}});
            w.press("cmdrun");
            QCOMPARE(w.rowTexts("msfmain", 1, 1, 3), (QStringList{"1", "0", "0.8"}));
            w.clickCell("msfmain", 2, 2);
            if (byAccelerator)
                w.pressAccelerator('c');
            else
                w.press("cmdclr");

            for (const char *grid : {"msfmain0", "msfmain", "msfunit"}) {
                QCOMPARE(w.rowTexts(grid, 0, 0, 3), (QStringList{"", "1", "2", ""}));
                QCOMPARE(w.rowTexts(grid, 1, 0, 3), (QStringList{"1", "", "", ""}));
                QCOMPARE(w.rowTexts(grid, 2, 0, 3), (QStringList{"2", "", "", ""}));
                QCOMPARE(w.cellAlignment(grid, 0, 1), Qt::AlignCenter);
            }
            // A typed cell keeps its look.
            const QModelIndex typed = w.grid("msfmain0")->model()->index(2, 3);
            QCOMPARE(typed.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));
            QCOMPARE(w.cellAlignment("msfmain0", 2, 3), Qt::AlignCenter);
            QCOMPARE(QApplication::focusWidget(), w.grid("msfmain0"));
            w.typeText("9");
            QCOMPARE(w.cellText("msfmain0", 1, 1), QStringLiteral("9"));
        }
    }

    void clearsTheTableauLayout()
    {
        TestWindow w;
        w.answerNextPrompt("3");
        w.press("cmdpidim");
        w.typeMatrix({{"4", "1", "0", "0", "6", "8"}, {"", "", "", "", "7"}});
        w.press("cmdclr");
        // Rows 1..3 of columns 1..4 and the header "3" go; the right-hand
        // side, the outer columns and the Cost row keep their texts.
        QCOMPARE(w.rowTexts("msfmain0", 0, 0, 7),
                 QStringList({"", "0", "1", "2", "", "", "upd", "Minr"}));
        QCOMPARE(w.rowTexts("msfmain0", 1, 0, 6), QStringList({"1", "", "", "", "", "6", "8"}));
        QCOMPARE(w.rowTexts("msfmain0", 2, 4, 5), QStringList({"", "7"}));
        QCOMPARE(w.cellText("msfmain", 4, 0), QStringLiteral("Total"));
        QCOMPARE(w.grid("msfmain0")->currentIndex(), w.grid("msfmain0")->model()->index(1, 1));
    }
};

QTEST_MAIN(ClearTest)
#include "tst_clear.moc"

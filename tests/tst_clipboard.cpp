// Numbers in and out of the grids with the keys a user presses: a grid's
// data area copied, text pasted into the input grid; and the mark of the
// current cell, which shows where a run writes.

#include "TestWindow.h"

#include <QClipboard>
#include <QtTest>

class ClipboardTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWindow> w;
    QClipboard *clipboard = QGuiApplication::clipboard();

    void keyInto(const char *grid, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QTest::keyClick(w->grid(grid), key, modifiers);
    }
    // Puts text on the clipboard and presses Shift+Insert in the input grid
    // at (row, col): a cell clicked, or a header a procedure left current.
    void pasteAt(int row, int col, const QString &text)
    {
        if (row > 0 && col > 0) {
            w->clickCell("msfmain0", row, col);
        } else {
            QVERIFY(w->grid("msfmain0")->cells().setRow(row));
            QVERIFY(w->grid("msfmain0")->cells().setCol(col));
        }
        clipboard->setText(text);
        keyInto("msfmain0", Qt::Key_Insert, Qt::ShiftModifier);
    }
    // What a grid puts on the clipboard for a key, provided that the grids
    // and the current cell stay as they were.
    QString copied(const char *grid, Qt::Key key)
    {
        w->grid(grid)->setFocus();
        const QStringList before = w->grids() << w->focus();
        keyInto(grid, key, Qt::ControlModifier);
        return w->grids() << w->focus() == before ? clipboard->text() : "the grid changed";
    }

  private slots:
    void init() { w = std::make_unique<TestWindow>(); }
    void cleanup() { w.reset(); }

    // After a SOLVE of 2x + y = 3, x + 3y = 5 each grid copies its whole
    // texts: [A | b] as typed, [I | x] and [inverse of A | x], x = (0.8, 1.4).
    // Ctrl+C in the input grid is still the character 3. The current cell
    // of every grid is marked, whichever has the focus.
    void copyAfterSolve()
    {
        w->typeMatrix({{"2", "1", "3.00000000000000"}, {"1", "3", "5"}});
        w->pressAccelerator('s');
        QCOMPARE(copied("msfmain", Qt::Key_C), "1\t0\t0.8\n0\t1\t1.4");
        QCOMPARE(copied("msfunit", Qt::Key_Insert), "0.6\t-0.2\t0.8\n-0.2\t0.4\t1.4");
        QCOMPARE(copied("msfmain0", Qt::Key_Insert), "2\t1\t3.00000000000000\n1\t3\t5");
        w->clickCell("msfmain0", 2, 3);
        keyInto("msfmain0", Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(w->rows("msfmain0", 2, 2, 3, 3), QStringList("5\003"));
        QCOMPARE(clipboard->text(), "2\t1\t3.00000000000000\n1\t3\t5");

        for (const char *name : {"msfmain0", "msfmain", "msfunit"}) {
            GridView *grid = w->grid(name);
            const QRect cell = grid->visualRect(grid->currentIndex());
            const QImage shown = grid->viewport()->grab().toImage();
            const QColor mark = grid->palette().color(QPalette::Highlight);
            QVERIFY2(shown.pixelColor(cell.left(), cell.center().y()) == mark &&
                         shown.pixelColor(cell.center().x(), cell.bottom()) == mark,
                     name);
        }
    }

    // The fields of the clipboard's text fill the input grid from its
    // current cell on, each cell as if typed; a carriage return before a line
    // feed goes, a line without a tab splits at runs of spaces. What lies
    // beyond the last row or column or on a header is dropped, a field is
    // kept whole, and the current cell stays. (2, 2) held "o"
    // before. `filled` tells the cells that look typed by their centred
    // alignment (C).
    void paste_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("filled");
        QTest::newRow("tabs at (1, 1)")
            << QPoint(1, 1) << "1\t2.5\t3\t4\t99\r\n-1\t\t7\r\n8\r\n\r\n"
            << QStringList({"1|1|2.5|3|4", "2|-1||7|", "3|8|||"})
            << QStringList({"CCCC", "CCCL", "CLLL"});
        QTest::newRow("spaces at (1, 2)") << QPoint(1, 2) << "  10   20 30 40\n\n"
                                          << QStringList({"1||10|20|30", "2||||", "3||||"})
                                          << QStringList({"LCCC", "LCLL", "LLLL"});
        QTest::newRow("headers at (0, 0)")
            << QPoint(0, 0) << "a\tb\nc\t\t2\nd\t6\t7"
            << QStringList({"1||2||", "2|6|7||", "3||||"}) << QStringList({"CCLL", "CCLL", "LLLL"});
        // Control characters, a field of 10,000 characters, 5,000 columns and 50 MB.
        const QString kept(10000, '9');
        QTest::newRow("anything at (1, 2)")
            << QPoint(1, 2)
            << "\001\0337\t" + QString(10000, '9') + QString("\t5").repeated(5000) + "\n3 4" +
                   QString(50'000'000, ' ') + "8\n6\n"
            << QStringList({"1||\001\0337|" + kept + "|5", "2||3|4|8", "3||6||"})
            << QStringList({"LCCC", "LCCC", "LCLL"});
    }
    void paste()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, filled);
        w->prompts.add("3");
        w->press("cmddim");
        w->typeInto(2, 2, "o");
        pasteAt(at.x(), at.y(), text);
        QCOMPARE(w->grids().mid(0, 5), QStringList({"4x5", "|1|2|3|"}) + rows);
        QCOMPARE(w->rows("msfmain0", 1, 3, 1, 4, true), filled);
        const QModelIndex pasted = w->grid("msfmain0")->model()->index(1, 2);
        QCOMPARE(pasted.data(Qt::FontRole).value<QFont>().family() + " " +
                     pasted.data(Qt::BackgroundRole).value<QBrush>().color().name(),
                 "arial #ffffff");
        QCOMPARE(w->focus(), QString("msfmain0 (%1, %2)").arg(at.x()).arg(at.y()));
    }

    // Pasting into column 1 of a loaded tableau marks a new entering column,
    // as typing there does; other columns, or no tableau, leave the mark.
    void pasteSetsEditMark()
    {
        w->prompts.add("2");
        w->press("cmdpidim");
        pasteAt(1, 1, "1");
        w->press("cmdpivot");
        pasteAt(1, 2, "1\t0\n0\t1");
        const int before = w->form().editMark.integerValue();
        pasteAt(2, 1, "3");
        QCOMPARE(QPoint(before, w->form().editMark.integerValue()), QPoint(0, 1));
    }

    // An 80 x 80 system, rows beyond 70 included, pasted in one go and
    // solved: x is the one the system was made from.
    void pastedSystemSolved()
    {
        const int n = 80;
        const auto x = [](int i) { return ((i * 37) % 101 - 50) / 8.0; };
        QString text;
        QStringList expected, solved;
        for (int i = 1; i <= n; ++i) {
            double b = 0;
            for (int j = 1; j <= n; ++j) {
                const int a = i == j ? 100 + i : (i * 7 + j * 3) % 11 - 5;
                b += a * x(j);
                text += QString::number(a) + '\t';
            }
            text += QString::number(b, 'g', 17) + "\r\n";
            expected << QString::number(x(i));
        }
        w->prompts.add(QString::number(n));
        w->press("cmddim");
        pasteAt(1, 1, text);
        w->pressAccelerator('s');
        for (int i = 1; i <= n; ++i)
            solved << w->rows("msfmain", i, i, n + 1, n + 1);
        QCOMPARE(solved, expected);
        // The last of the 6,480 pasted cells still has the typed look.
        const QModelIndex last = w->grid("msfmain0")->model()->index(n, n + 1);
        const QFont font = last.data(Qt::FontRole).value<QFont>();
        QCOMPARE(font.family() + ' ' + QString::number(font.pointSizeF()), "arial 9");
    }
};

QTEST_MAIN(ClipboardTest)
#include "tst_clipboard.moc"

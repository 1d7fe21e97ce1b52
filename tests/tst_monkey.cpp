// A seeded monkey on the real window: thousands of random user actions, many
// of them fired while a SOLVE or a PIVOT is inside one of its pauses, and the
// window must come out of it still solving the worked 2 x 2 system.
//
// The suite runs a fixed seed and a bounded count; QUELVAR_MONKEY_SEED,
// QUELVAR_MONKEY_ACTIONS and QUELVAR_MONKEY_SECONDS set others for a longer soak.

#include "TestWindow.h"

#include <QCheckBox>
#include <QtTest>

#include <random>

namespace {

long setting(const char *name, long otherwise)
{
    return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : otherwise;
}

const long seed = setting("QUELVAR_MONKEY_SEED", 20261206);
const long actionBudget = setting("QUELVAR_MONKEY_ACTIONS", 4000);
const long seconds = setting("QUELVAR_MONKEY_SECONDS", 40);

// Answers to the size prompt, "Cancel" cancelling it.
const QStringList Answers = {"2", "3",     "1",     "0",       "1.5", "2.5",    "abc",
                             "",  "1E400", "40000", "32765.5", "4,5", "6 rows", "Cancel"};
// Typed characters: digits and number signs most often, then words,
// punctuation, non-ASCII and one outside the basic plane (two UTF-16 units).
const QString Characters =
    "01234567890123456789.-+E.-abcxyzDH&/,; \u00e9\u00df\u20ac\u4e2d\U0001F600";
const Qt::Key Keys[] = {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape,
                        Qt::Key_Delete,    Qt::Key_Up,     Qt::Key_Down,  Qt::Key_Left,
                        Qt::Key_Right,     Qt::Key_Tab};
// The last three start runs.
const char *const Buttons[] = {"cmdclr", "cmddim", "cmdpidim", "cmdrun", "cmdrun", "cmdpivot"};
const char *const Grids[] = {"msfmain0", "msfmain0", "msfmain", "msfunit"};

} // namespace

class MonkeyTest : public QObject
{
    Q_OBJECT

  private slots:
    void randomUseLeavesAWorkingWindow()
    {
        TestWindow w;
        std::mt19937 random(seed);
        auto pick = [&](int upTo) { return int(random() % unsigned(upTo)); };
        auto answerPrompt = [&] {
            const QString answer = Answers[pick(int(Answers.size()))];
            w.prompts.add(answer == "Cancel" ? std::nullopt : std::optional(answer));
        };
        long left = actionBudget, inPauses = 0, delayedPauses = 0;
        QDeadlineTimer deadline(seconds * 1000);
        std::function<void()> act = [&] {
            QWidget *focused = qApp->focusWidget() ? qApp->focusWidget() : &w.window;
            const int b = pick(6), k = pick(int(Characters.size()) - 1); // k never a low surrogate
            const QString button = Buttons[b],
                          character = Characters.mid(k, Characters[k].isHighSurrogate() ? 2 : 1);
            const char *grid = Grids[pick(4)];
            // A command that starts a run goes on only while few runs are nested.
            const bool mayRun = w.window.runDepth() < 3;
            const int roll = pick(100);
            if (roll < 30)
                w.type(character);
            else if (roll < 42)
                QTest::keyClick(focused, Keys[pick(10)]);
            else if (roll < 45)
                QTest::keyClick(focused, char('a' + pick(26)), Qt::ControlModifier);
            else if (roll < 63)
                w.clickCell(grid, pick(w.grid(grid)->model()->rowCount()),
                            pick(w.grid(grid)->model()->columnCount()));
            else if (roll < 82 && (mayRun || b < 3)) { // the hidden pivot buttons by click()
                if (button.endsWith("dim"))
                    answerPrompt();
                w.press(button);
            } else if (roll < 94) { // Alt+letter: its click lands later, often inside a pause
                const char letter = "dscmpxq"[pick(7)];
                if (letter == 'd')
                    answerPrompt();
                if (letter != 's' || mayRun)
                    QTest::keyClick(focused, letter, Qt::AltModifier);
            } else if (roll < 96)
                w.setDelay(!w.find<QCheckBox>("Check1")->isChecked());
            else
                QTest::qWait(pick(5));
        };
        // In some pauses act too; keep the busy count of Delay short after a
        // few held steps so that the run stays within its time.
        auto pauses = connect(&w.services(), &QtWindowServices::pauseReached, [&](qint64) {
            if (w.form().delayOn == FormState::True && ++delayedPauses > 6)
                w.form().delayCount = 20000;
            if (left > 0 && !deadline.hasExpired() && pick(100) < 8)
                ++inPauses, --left, act();
        });
        while (left > 0 && !deadline.hasExpired()) {
            --left, act();
            // Whatever happened, n and the grids belong together.
            const int n = w.form().dimN, rows = w.grid("msfmain0")->model()->rowCount();
            QVERIFY(n >= 2 && n <= Form1::LargestDimension && (rows == n + 1 || rows == n + 2));
        }
        disconnect(pauses);
        QTest::qWait(300); // clicks of accelerators still animating land and run out
        qInfo("seed %ld: %ld actions, %ld in pauses", seed, actionBudget - left, inPauses);
        QCOMPARE(w.window.runDepth(), 0);

        // Afterwards the window still solves the worked example.
        w.setDelay(false);
        w.prompts.clear();
        w.prompts.add("2");
        w.press("cmddim");
        w.typeMatrix({{"2", "1", "3"}, {"4", "3", "7"}});
        w.press("cmdrun");
        QCOMPARE(w.rows("msfmain", 1, 2, 1, 3) + w.rows("msfunit", 1, 2, 1, 3),
                 QStringList({"1|0|1", "0|1|1", "1.5|-0.5|1", "-2|1|1"}));
    }
};

QTEST_MAIN(MonkeyTest)
#include "tst_monkey.moc"

// A seeded monkey on the real window: thousands of random user actions, many
// of them fired while a SOLVE or a PIVOT is inside one of its pauses, and the
// window must come out of it still solving the worked 2 x 2 system.
//
// The suite runs a fixed seed and a bounded count. A longer soak:
//   build/test/tests/tst_monkey --seed 12345 --actions 100000 --seconds 3600

#include "SystemGrids.h"

#include "app/Form1.h"
#include "app/MainWindow.h"
#include "support/TestWindow.h"
#include "ui/GridView.h"
#include "ui/QtWindowServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QtTest>

#include <cstring>
#include <random>

namespace {

struct MonkeySettings
{
    quint32 seed = 20261206;
    int actions = 4000;
    int seconds = 40;
};

MonkeySettings settings;

// Answers given to the size prompt; an empty optional cancels it.
const QStringList PromptAnswers = {"2",   "3",   "4",   "5",      "1",     "0",     "-3",
                                   "1.5", "2.5", "abc", "",       "1E400", "40000", "32765.5",
                                   "1E1", "1 2", "&H6", "6 rows", "4,5"};

// Typed characters of every kind: digits and number signs most often.
const QString NumberCharacters = QStringLiteral("0123456789012345678901234567890.-+E");
const QString OtherCharacters = QStringLiteral("abcxyzDH&/,; \u00e9\u00df\u20ac\u4e2d");

class Monkey
{
  public:
    Monkey(TestWindow &window, quint32 seed) : window(window), random(seed) {}

    void run(int actions, int seconds)
    {
        budget = actions;
        deadline.start();
        limitMs = qint64(seconds) * 1000;
        const QMetaObject::Connection connection = QObject::connect(
            &window.services(), &QtWindowServices::pauseReached, [this](qint64) { inPause(); });
        while (budget > 0 && !deadline.hasExpired(limitMs)) {
            act();
            checkLayout();
        }
        QObject::disconnect(connection);
        // Let clicks of accelerators still animating land and run out.
        QTest::qWait(300);
    }

    int actionsDone() const { return done; }
    int actionsInPauses() const { return doneInPauses; }

  private:
    int pick(int upTo) { return std::uniform_int_distribution<int>(0, upTo - 1)(random); }
    bool chance(int percent) { return pick(100) < percent; }

    // A pause of a running command: act in some of them, and keep the busy
    // count of Delay short after the first few held steps so that the run
    // stays within its time.
    void inPause()
    {
        if (window.form().delayOn == FormState::True && ++delayedPauses > 6)
            window.form().delayCount = 20000;
        if (budget <= 0 || deadline.hasExpired(limitMs) || !chance(8))
            return;
        ++doneInPauses;
        act();
    }

    void act()
    {
        --budget;
        ++done;
        const int roll = pick(100);
        if (roll < 30)
            typeCharacter();
        else if (roll < 48)
            moveCell();
        else if (roll < 70)
            clickButton();
        else if (roll < 82)
            accelerator();
        else if (roll < 84)
            window.setDelay(!window.check1()->isChecked());
        else if (roll < 92)
            arrowKey();
        else
            QTest::qWait(pick(5));
    }

    void queuePromptReply()
    {
        const int choice = pick(int(PromptAnswers.size()) + 1);
        if (choice == PromptAnswers.size())
            window.cancelNextPrompt();
        else
            window.answerNextPrompt(PromptAnswers[choice]);
    }

    QWidget *focused() const
    {
        QWidget *widget = QApplication::focusWidget();
        return widget ? widget : &window.window();
    }

    void typeCharacter()
    {
        const int roll = pick(100);
        if (roll < 55) {
            QTest::keyClicks(focused(),
                             QString(NumberCharacters[pick(int(NumberCharacters.size()))]));
        } else if (roll < 70) {
            // Qt Test maps only ASCII to keys; other characters go as text.
            const QString text(OtherCharacters[pick(int(OtherCharacters.size()))]);
            QTest::sendKeyEvent(QTest::KeyAction::Click, focused(), Qt::Key_unknown, text,
                                Qt::NoModifier);
        } else if (roll < 80) {
            QTest::keyClick(focused(), Qt::Key_Backspace);
        } else if (roll < 85) {
            QTest::keyClick(focused(), pick(2) ? Qt::Key_Return : Qt::Key_Enter);
        } else if (roll < 88) {
            QTest::keyClick(focused(), Qt::Key_Escape);
        } else if (roll < 94) {
            const char letter = char('a' + pick(26));
            QTest::keyClick(focused(), letter, Qt::ControlModifier);
        } else if (roll < 97) {
            // A character outside the basic plane: two UTF-16 units.
            QTest::sendKeyEvent(QTest::KeyAction::Click, focused(), Qt::Key_unknown,
                                QStringLiteral("\U0001F600"), Qt::NoModifier);
        } else {
            QTest::keyClick(focused(), Qt::Key_Delete);
        }
    }

    void moveCell()
    {
        static const char *const Grids[] = {"msfmain0", "msfmain0", "msfmain", "msfunit"};
        const QString name = QString::fromLatin1(Grids[pick(4)]);
        const QAbstractItemModel *model = window.grid(name)->model();
        if (model->rowCount() < 1 || model->columnCount() < 1)
            return;
        window.clickCell(name, pick(model->rowCount()), pick(model->columnCount()));
    }

    void arrowKey()
    {
        static const Qt::Key Keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
                                       Qt::Key_Tab};
        QTest::keyClick(focused(), Keys[pick(5)]);
    }

    // A command that starts a run goes on only while few runs are nested.
    bool mayStartRun() const { return window.window().runDepth() < 3; }

    void clickButton()
    {
        const int roll = pick(100);
        if (roll < 35) {
            if (mayStartRun())
                window.press(QStringLiteral("cmdrun"));
        } else if (roll < 55) {
            window.press(QStringLiteral("cmdclr"));
        } else if (roll < 75) {
            queuePromptReply();
            window.press(QStringLiteral("cmddim"));
        } else if (roll < 88) {
            if (mayStartRun())
                window.press(QStringLiteral("cmdpivot"));
        } else {
            queuePromptReply();
            window.press(QStringLiteral("cmdpidim"));
        }
    }

    // Alt+letter without waiting for the animated click: it lands later,
    // often inside a pause. D asks for a size; M and P are inert.
    void accelerator()
    {
        static const char Letters[] = {'d', 's', 'c', 'm', 'p', 'x', 'q'};
        const char letter = Letters[pick(7)];
        if (letter == 'd')
            queuePromptReply();
        if (letter == 's' && !mayStartRun())
            return;
        QTest::keyClick(focused(), letter, Qt::AltModifier);
    }

    // Whatever happened, n and the grids belong together.
    void checkLayout()
    {
        const int n = window.form().dimN;
        QVERIFY2(n >= 2 && n <= Form1::LargestDimension, qPrintable(QString::number(n)));
        const int rows = window.grid(QStringLiteral("msfmain0"))->model()->rowCount();
        QVERIFY2(rows == n + 1 || rows == n + 2,
                 qPrintable(QStringLiteral("n %1, rows %2").arg(n).arg(rows)));
    }

    TestWindow &window;
    std::mt19937 random;
    QElapsedTimer deadline;
    qint64 limitMs = 0;
    int budget = 0;
    int done = 0;
    int doneInPauses = 0;
    int delayedPauses = 0;
};

} // namespace

class MonkeyTest : public QObject
{
    Q_OBJECT

  private slots:
    void randomUseLeavesAWorkingWindow();
};

void MonkeyTest::randomUseLeavesAWorkingWindow()
{
    TestWindow window;
    Monkey monkey(window, settings.seed);
    monkey.run(settings.actions, settings.seconds);
    qInfo("seed %u: %d actions, %d of them inside a pause", settings.seed, monkey.actionsDone(),
          monkey.actionsInPauses());
    QVERIFY(monkey.actionsDone() > 0);
    QCOMPARE(window.window().runDepth(), 0);

    // Afterwards the window still solves the worked example.
    window.setDelay(false);
    window.forgetPromptReplies();
    window.answerNextPrompt(QStringLiteral("2"));
    window.press(QStringLiteral("cmddim"));
    QCOMPARE(window.form().dimN, std::int16_t(2));
    window.typeMatrix({{"2", "1", "3"}, {"4", "3", "7"}});
    window.press(QStringLiteral("cmdrun"));
    QCOMPARE(systemRows(window, QStringLiteral("msfmain"), 2), (QStringList{"1|0|1", "0|1|1"}));
    QCOMPARE(systemRows(window, QStringLiteral("msfunit"), 2),
             (QStringList{"1.5|-0.5|1", "-2|1|1"}));
}

// Takes --seed, --actions and --seconds off the command line; the rest goes
// to Qt Test.
int main(int argc, char **argv)
{
    std::vector<char *> testArguments;
    for (int i = 0; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (hasValue && std::strcmp(argv[i], "--seed") == 0)
            settings.seed = quint32(std::strtoul(argv[++i], nullptr, 10));
        else if (hasValue && std::strcmp(argv[i], "--actions") == 0)
            settings.actions = std::atoi(argv[++i]);
        else if (hasValue && std::strcmp(argv[i], "--seconds") == 0)
            settings.seconds = std::atoi(argv[++i]);
        else
            testArguments.push_back(argv[i]);
    }
    int testArgc = int(testArguments.size());
    QApplication app(testArgc, testArguments.data());
    MonkeyTest test;
    return QTest::qExec(&test, testArgc, testArguments.data());
}

#include "tst_monkey.moc"

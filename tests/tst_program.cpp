// The program as started from a shell: without a display it says so in one
// sentence; a termination signal closes its window and it ends normally.

#include "app/qt/TerminationSignals.h"

#include <QtTest>

#include <csignal>

namespace {

bool takesDefaultAction(int signal)
{
    struct sigaction action = {};
    ::sigaction(signal, nullptr, &action);
    return action.sa_handler == SIG_DFL;
}

} // namespace

class ProgramTest : public QObject
{
    Q_OBJECT

  private slots:
    void startedFromAShell()
    {
        QProcess quelvar;
        quelvar.setProgram(QCoreApplication::applicationDirPath() + "/../quelvar");
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            qunsetenv(name);
        quelvar.start();
        QVERIFY(quelvar.waitForFinished(20000) && quelvar.exitCode() == 1);
        const QByteArray message = quelvar.readAllStandardError();
        QVERIFY2(message.startsWith("quelvar: no graphical") && message.count('\n') == 1, message);

        // With a display: SIGTERM, once the program handles it (bit 15 of its
        // caught signals), closes the window and the program ends normally.
        quelvar.start(quelvar.program(), {"-platform", "offscreen"});
        QVERIFY(quelvar.waitForStarted(20000));
        const auto handled = [&] {
            QFile status(QStringLiteral("/proc/%1/status").arg(quelvar.processId()));
            const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : "";
            return text.mid(text.indexOf("SigCgt:") + 8, 16).toULongLong(nullptr, 16) & 0x4000;
        };
        QVERIFY(QTest::qWaitFor(handled, 30000));
        quelvar.terminate();
        QVERIFY(quelvar.waitForFinished(20000));
        QVERIFY(quelvar.exitStatus() == QProcess::NormalExit && quelvar.exitCode() == 0);
    }

    // SIGTERM or SIGINT closes the window like its close button. Once one has
    // been taken, or once the window no longer listens, a signal ends the
    // program the default way (with a handler left behind, a second signal
    // would be lost, or written into whatever file took the pipe's number).
    void signalClosesTheWindow()
    {
        for (int signal : {SIGTERM, SIGINT}) {
            QWidget window;
            window.show();
            TerminationSignals closeOnSignal(window);
            QVERIFY(!takesDefaultAction(SIGTERM) && !takesDefaultAction(SIGINT));
            ::raise(signal);
            QTRY_VERIFY(!window.isVisible());
            QVERIFY(takesDefaultAction(SIGTERM) && takesDefaultAction(SIGINT));
        }
        {
            QWidget window;
            TerminationSignals neverSignalled(window);
        }
        QVERIFY(takesDefaultAction(SIGTERM) && takesDefaultAction(SIGINT));
    }
};

QTEST_MAIN(ProgramTest)
#include "tst_program.moc"

// The program as started from a shell: without a display it says so in one
// sentence; a termination signal closes its window and it ends normally.

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <csignal>

namespace {

QString programPath()
{
    return QFileInfo(QCoreApplication::applicationDirPath() + "/../quelvar").absoluteFilePath();
}

// Whether the process has a handler for the signal (its SigCgt mask).
bool catches(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            const quint64 mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
            return mask & (quint64(1) << (signal - 1));
        }
    }
    return false;
}

} // namespace

class ProgramTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void withoutDisplaySaysSo();
    void terminationSignalEndsNormally_data();
    void terminationSignalEndsNormally();
};

void ProgramTest::init()
{
    if (!QFileInfo::exists(programPath()))
        QSKIP("the program is not built beside the tests");
}

void ProgramTest::withoutDisplaySaysSo()
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    program.setProcessEnvironment(environment);
    program.start(programPath(), {});
    QVERIFY(program.waitForFinished(20000));

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QString message = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(message.count('\n'), 1);
    QVERIFY2(message.startsWith("quelvar: no graphical display found"), qPrintable(message));
    QVERIFY2(message.contains("xvfb-run -a "), qPrintable(message));
}

void ProgramTest::terminationSignalEndsNormally_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void ProgramTest::terminationSignalEndsNormally()
{
    QFETCH(int, signal);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(programPath(), {});
    QVERIFY(program.waitForStarted(20000));
    QVERIFY(QTest::qWaitFor([&] { return catches(program.processId(), signal); }, 30000));

    QCOMPARE(::kill(pid_t(program.processId()), signal), 0);

    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

QTEST_GUILESS_MAIN(ProgramTest)
#include "tst_program.moc"

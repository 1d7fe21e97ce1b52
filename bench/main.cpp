// The benchmark of Quelvar's runs. Prints one line per figure, each with n
// and its unit. Run on the offscreen platform (the default here):
//   build/release/bench/quelvar_bench [--long]
// --long adds a SOLVE of the largest system, n = 1000 (half a minute or more);
// --clipboard runs only the paste and copy of a system that size.

#include "BenchSystem.h"
#include "EliminationKernels.h"
#include "PromptAnswerer.h"
#include "RunObserver.h"

#include "app/Form1.h"
#include "app/qt/MainWindow.h"
#include "ui/qt/GridView.h"
#include "ui/qt/QtWindowServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Wall time of the work; its processor time goes to `cpu` when asked for.
// On a busy machine the processor time is the steadier of the two.
double timed(const std::function<void()> &work, double *cpu = nullptr)
{
    const double cpuStart = threadSeconds();
    const Clock::time_point start = Clock::now();
    work();
    const double wall = secondsSince(start);
    if (cpu)
        *cpu = threadSeconds() - cpuStart;
    return wall;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A shown, active window as the user sees it, with a way to answer prompts.
class BenchWindow
{
  public:
    BenchWindow()
    {
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }

    GridView *grid(const char *name) { return window.findChild<GridView *>(name); }
    QAbstractButton *button(const char *name) { return window.findChild<QAbstractButton *>(name); }

    // Presses a button whose procedure asks for a size, answering `n`.
    void dimension(const char *buttonName, int n)
    {
        answerer.answerNext(QString::number(n));
        button(buttonName)->click();
    }

    // Puts the system's numbers into the input grid, starting at `firstCol`
    // (rows beyond 70 cannot be typed, so this goes through the grid itself).
    void enter(const BenchSystem &system, int firstCol)
    {
        CellGrid &cells = grid("msfmain0")->cells();
        const int n = system.size();
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n + 1; ++j) {
                cells.setRow(i);
                cells.setCol(firstCol + j - 1);
                cells.setText(system.entryText(i, j));
            }
        }
        grid("msfmain0")->flush();
    }

    // The grids that a run writes into.
    std::vector<QWidget *> resultViewports()
    {
        return {grid("msfmain")->viewport(), grid("msfunit")->viewport()};
    }

    MainWindow window;
    PromptAnswerer answerer;
};

// Medians of one figure of a run: wall and processor seconds.
struct Timing
{
    std::vector<double> wall, cpu;

    void add(const std::function<void()> &work)
    {
        double processor = 0;
        wall.push_back(timed(work, &processor));
        cpu.push_back(processor);
    }
    double wallMedian() const { return median(wall); }
    double cpuMedian() const { return median(cpu); }
};

void printTiming(const char *what, int n, const char *name, const Timing &timing)
{
    std::printf("%s n=%d %s %.4f s (processor %.4f s)\n", what, n, name, timing.wallMedian(),
                timing.cpuMedian());
}

void printRatio(const char *what, int n, const char *name, const Timing &real, const Timing &base,
                const char *format)
{
    char line[160];
    std::snprintf(line, sizeof line, format, what, n, name, real.wallMedian() / base.wallMedian(),
                  real.cpuMedian() / base.cpuMedian());
    std::printf("%s\n", line);
}

// Runs `work` and checks that it gave a checksum.
void checked(const std::function<long()> &work)
{
    if (work() == 0)
        std::printf("# checksum 0?\n");
}

void solveFigures(int n, int repeats, bool observe)
{
    BenchWindow bench;
    BenchSystem system(n);
    bench.dimension("cmddim", n);
    bench.enter(system, 1);

    RunObserver observer(bench.resultViewports());
    Timing real, kernel, floor;
    std::vector<double> gaps, paintRates;
    for (int run = 0; run < repeats; ++run) {
        observer.start();
        real.add([&] { bench.button("cmdrun")->click(); });
        observer.stop();
        gaps.push_back(observer.longestGapMs());
        paintRates.push_back(observer.fewestPaints() / real.wall.back());

        kernel.add([&] { checked([&] { return solveKernel(system); }); });
        floor.add([&] { checked([&] { return solveFloor(system); }); });
    }

    printTiming("solve", n, "real", real);
    printTiming("solve", n, "kernel", kernel);
    printTiming("solve", n, "floor", floor);
    printRatio("solve", n, "real/kernel", real, kernel, "%s n=%d %s %.2f x (processor %.2f x)");
    printRatio("solve", n, "real/floor", real, floor, "%s n=%d %s %.1f x (processor %.1f x)");
    if (observe) {
        std::printf("solve n=%d longest stretch without window events %.1f ms\n", n,
                    *std::max_element(gaps.begin(), gaps.end()));
        std::printf("solve n=%d repaints %.0f per s (the less painted of msfmain, msfunit)\n", n,
                    *std::min_element(paintRates.begin(), paintRates.end()));
    }
    std::fflush(stdout);
}

void tableauFigures(int n, int repeats)
{
    BenchWindow bench;
    BenchSystem system(n);
    const double layout = timed([&] { bench.dimension("cmdpidim", n); });
    // B in columns 2..n+1, b in column n+2: the system's [A | b].
    bench.enter(system, 2);

    Timing real, kernel, floor;
    for (int run = 0; run < repeats; ++run) {
        // Until column 1 is typed into, every press (re)loads the tableau.
        real.add([&] { bench.button("cmdpivot")->click(); });
        kernel.add([&] { checked([&] { return tableauLoadKernel(system); }); });
        floor.add([&] { checked([&] { return tableauLoadFloor(system); }); });
    }
    std::printf("pivot dim n=%d layout %.4f s (prompt included)\n", n, layout);
    printTiming("tableau load", n, "real", real);
    printTiming("tableau load", n, "kernel", kernel);
    printTiming("tableau load", n, "floor", floor);
    printRatio("tableau load", n, "real/kernel", real, kernel,
               "%s n=%d %s %.2f x (processor %.2f x)");
    printRatio("tableau load", n, "real/floor", real, floor,
               "%s n=%d %s %.1f x (processor %.1f x)");
    std::fflush(stdout);
}

// One SOLVE of a system of size n (--long: the largest that DIMENSION
// accepts): the run's time, the longest stretch in which a click would have
// waited, the memory the process took at its peak, and the floor.
void singleSolve(int n)
{
    BenchWindow bench;
    BenchSystem system(n);
    bench.dimension("cmddim", n);
    bench.enter(system, 1);

    RunObserver observer(bench.resultViewports());
    Timing real;
    observer.start();
    real.add([&] { bench.button("cmdrun")->click(); });
    observer.stop();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    printTiming("solve", n, "real", real);
    std::printf("solve n=%d longest stretch without window events %.1f ms (ending %.2f s into "
                "the run)\n",
                n, observer.longestGapMs(), observer.longestGapEndS());
    std::printf("solve n=%d repaints %.0f per s (the less painted of msfmain, msfunit)\n", n,
                observer.fewestPaints() / real.wallMedian());
    std::printf("solve n=%d peak memory %.0f MB (whole process, after the run)\n", n,
                usage.ru_maxrss / 1024.0);
    std::fflush(stdout);

    Timing floor;
    floor.add([&] { checked([&] { return solveFloor(system); }); });
    printTiming("solve", n, "floor", floor);
    printRatio("solve", n, "real/floor", real, floor, "%s n=%d %s %.1f x (processor %.1f x)");
    std::fflush(stdout);
}

// A grid of the largest system's size full of numbers, as a run leaves it,
// copied, and its text pasted into the input grid: each from the key to the
// repainted window.
void clipboardFigures()
{
    const int n = Form1::LargestDimension;
    BenchWindow bench;
    BenchSystem system(n);
    bench.dimension("cmddim", n);
    GridView *working = bench.grid("msfmain");
    CellGrid &cells = working->cells();
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n + 1; ++j) {
            cells.setRow(i);
            cells.setCol(j);
            cells.setNumber(
                {system.entry(i, j) / 7.0, Variant::Kind::Double, CellNumber::Form::Rounded},
                CellGrid::AlignLeftCenter);
        }
    }
    working->flush();
    QApplication::processEvents();

    // From the key to the repainted window.
    const auto keyTimed = [](GridView *grid, Qt::Key key, Qt::KeyboardModifier modifier,
                             double *cpu) {
        return timed(
            [&] {
                QTest::keyClick(grid, key, modifier);
                QApplication::processEvents();
            },
            cpu);
    };
    double copyCpu = 0, pasteCpu = 0;
    const double copy = keyTimed(working, Qt::Key_C, Qt::ControlModifier, &copyCpu);
    const double megabytes = QGuiApplication::clipboard()->text().toUtf8().size() / 1e6;
    GridView *input = bench.grid("msfmain0");
    const double paste = keyTimed(input, Qt::Key_Insert, Qt::ShiftModifier, &pasteCpu);
    const QModelIndex last = input->model()->index(n, n + 1);
    const bool pasted = last.data() == working->model()->index(n, n + 1).data();

    std::printf("copy %dx%d %.4f s (processor %.4f s; %.1f MB of text, Ctrl+C to repainted)\n", n,
                n + 1, copy, copyCpu, megabytes);
    std::printf("paste %dx%d %.4f s (processor %.4f s; the same text, Shift+Insert to "
                "repainted)%s\n",
                n, n + 1, paste, pasteCpu, pasted ? "" : " # not pasted?");
    std::fflush(stdout);
}

// Run in a process of its own, so that the peak memory is DIMENSION's.
int dimensionOnly(int n)
{
    BenchWindow bench;
    const Clock::time_point clicked = Clock::now();
    bench.dimension("cmddim", n);
    const Clock::time_point done = Clock::now();
    QApplication::processEvents();
    const double afterPrompt =
        std::chrono::duration<double>(done - bench.answerer.acceptedAt()).count();
    const double withPrompt = std::chrono::duration<double>(done - clicked).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const int dimN = bench.window.form().dimN;
    std::printf("dimension n=%d wall %.4f s (from the answer to the end)\n", dimN, afterPrompt);
    std::printf("dimension n=%d wall %.4f s (click to end, prompt included)\n", dimN, withPrompt);
    std::printf("dimension n=%d peak memory %.0f MB (whole process)\n", dimN,
                usage.ru_maxrss / 1024.0);
    return dimN == n ? 0 : 1;
}

void delayPause()
{
    BenchWindow bench;
    qobject_cast<QCheckBox *>(bench.window.findChild<QCheckBox *>("Check1"))->setChecked(true);
    Clock::time_point last{};
    std::vector<double> pauses;
    QObject::connect(&bench.window.services(), &QtWindowServices::pauseReached, [&](qint64) {
        const Clock::time_point now = Clock::now();
        if (last != Clock::time_point{})
            pauses.push_back(std::chrono::duration<double>(now - last).count());
        last = now;
    });
    bench.button("cmdrun")->click();
    // Skip the pause after the first displays, which holds no busy count.
    pauses.erase(pauses.begin());
    std::printf("delay pause n=2 %.3f s (median of %zu pauses)\n", median(pauses), pauses.size());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    // A desktop screen that holds the whole window (the offscreen platform's
    // own screen is narrower, and the window would scroll).
    QTemporaryFile screens;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && screens.open()) {
        screens.write(R"({"screens": [{"name": "desktop", "width": 1920, "height": 1080}]})");
        screens.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);

    if (argc == 3 && std::strcmp(argv[1], "--dimension") == 0)
        return dimensionOnly(std::atoi(argv[2]));
    // The length of one Delay pause on its own.
    if (argc == 2 && std::strcmp(argv[1], "--delay") == 0) {
        delayPause();
        return 0;
    }
    // Paste and copy of the largest system on their own, for a profiler.
    if (argc == 2 && std::strcmp(argv[1], "--clipboard") == 0) {
        clipboardFigures();
        return 0;
    }
    // One SOLVE on its own, for a profiler and for --long.
    if (argc == 3 && std::strcmp(argv[1], "--solve") == 0) {
        singleSolve(std::atoi(argv[2]));
        return 0;
    }
    const bool withLongRun = argc == 2 && std::strcmp(argv[1], "--long") == 0;

    std::printf("# Quelvar benchmark, platform %s, Delay off unless stated\n",
                qPrintable(QApplication::platformName()));
    std::printf("# system: %s\n", BenchSystem::description());
    std::printf("# real: the button pressed on the shown window; kernel: the same "
                "elimination and cell texts without grid or event pump; floor: the same "
                "elimination storing each written value, no texts; medians of 3\n");
    std::fflush(stdout);

    solveFigures(30, 3, false);
    solveFigures(60, 3, false);
    solveFigures(100, 3, true);
    solveFigures(300, 3, true);
    tableauFigures(100, 3);
    clipboardFigures();

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QApplication::applicationFilePath(), {"--dimension", "1000"});
    child.waitForFinished(120000);

    delayPause();

    // The largest system, in a process of its own for its peak memory.
    if (withLongRun) {
        child.start(QApplication::applicationFilePath(), {"--solve", "1000"});
        child.waitForFinished(-1);
    }
    return 0;
}

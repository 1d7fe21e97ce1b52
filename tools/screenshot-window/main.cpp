// Takes the README's pictures of the window: a 3 x 3 system is dimensioned,
// typed in and solved with Delay ticked, and part-way through the run the
// window, or with --screen the whole screen with the window manager's frame,
// is grabbed to a PNG file and the window closed.
//
// Usage: quelvar_screenshot [--screen] OUTPUT.png [PAUSE]
// PAUSE is the number of the run's pause at which the picture is taken.

#include "TestWindow.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <cstdio>

namespace {

// The 3 x 3 run pauses 47 times. At pause 31 the second pivot column has
// been cleared below its pivot and half-way above it: columns 1 and 2 of the
// working grid are unit columns, column 3 is not reduced yet.
constexpr qint64 DefaultPause = 31;

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const bool wholeScreen = argc > 1 && QByteArray(argv[1]) == "--screen";
    if (wholeScreen) {
        --argc;
        ++argv;
    }
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s [--screen] OUTPUT.png [PAUSE]\n", argv[0]);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    bool numberOk = true;
    const qint64 pause = argc == 3 ? QByteArray(argv[2]).toLongLong(&numberOk) : DefaultPause;
    if (!numberOk || pause < 1) {
        std::fprintf(stderr, "%s: PAUSE must be a positive number\n", argv[0]);
        return 2;
    }

    TestWindow window;

    // Under a window manager the window becomes active a moment after it
    // shows; the keys below go to the widget with the focus.
    (void)QTest::qWaitForWindowActive(&window.window);
    window.prompts.add(QStringLiteral("3"));
    window.press(QStringLiteral("cmddim"));

    // 2x + y - z = 8, -3x - y + 2z = -11, -2x + y + 2z = -3: x = 2, y = 3, z = -1.
    window.typeMatrix({{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}});
    window.setDelay(true);

    // Watched for the whole run and never disconnected: once the picture is
    // taken the window closes and the run ends at its next pause.
    bool taken = false;
    bool saved = false;
    const qint64 target = window.services().pauseCount() + pause;
    QObject::connect(&window.services(), &QtWindowServices::pauseReached, &window.services(),
                     [&](qint64 pauseNumber) {
                         if (taken || pauseNumber != target)
                             return;
                         taken = true;
                         window.services().flushGrids();
                         const QPixmap picture = wholeScreen ? window.window.screen()->grabWindow(0)
                                                             : window.window.grab();
                         saved = picture.toImage().save(output, "PNG");
                         window.window.close();
                     });
    window.press(QStringLiteral("cmdrun"));

    if (!saved) {
        std::fprintf(stderr,
                     "%s: the picture was not taken (the run has fewer than %lld pauses, "
                     "or %s could not be written)\n",
                     argv[0], static_cast<long long>(pause), argv[1]);
        return 1;
    }
    return 0;
}

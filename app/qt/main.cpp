#include "MainWindow.h"
#include "TerminationSignals.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

// Qt aborts with a long message when it finds no display; say it in one
// sentence instead, with the way to get one.
bool displayMissing(int argc, char **argv)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return false;
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool needsDisplay =
        platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    return needsDisplay && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return false;
#endif
}

} // namespace

int main(int argc, char **argv)
{
    if (displayMissing(argc, argv)) {
        std::fprintf(stderr,
                     "quelvar: no graphical display found (DISPLAY is not set); start it from a "
                     "desktop session, or under a virtual display with: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quelvar"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    // Names the menu entry the window belongs to (the Wayland app id).
    QApplication::setDesktopFileName(QStringLiteral("example.quelvar.Quelvar"));

    MainWindow window;
    TerminationSignals closeOnSignal(window);
    window.show();
    return QApplication::exec();
}

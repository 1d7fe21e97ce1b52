#include "RunObserver.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

RunObserver::RunObserver(std::vector<QWidget *> viewports, QObject *parent)
    : QObject(parent), viewports(std::move(viewports)), paints(this->viewports.size(), 0)
{
    heartbeat.setTimerType(Qt::PreciseTimer);
    heartbeat.setInterval(1);
    connect(&heartbeat, &QTimer::timeout, this, &RunObserver::beat);
    for (QWidget *viewport : this->viewports)
        viewport->installEventFilter(this);
}

void RunObserver::start()
{
    std::fill(paints.begin(), paints.end(), 0);
    longestGap = 0;
    longestGapEnd = 0;
    running = true;
    started = lastBeat = Clock::now();
    heartbeat.start();
}

void RunObserver::stop()
{
    beat();
    running = false;
    heartbeat.stop();
}

int RunObserver::fewestPaints() const
{
    return paints.empty() ? 0 : *std::min_element(paints.begin(), paints.end());
}

bool RunObserver::eventFilter(QObject *watched, QEvent *event)
{
    if (running && event->type() == QEvent::Paint) {
        for (std::size_t i = 0; i < viewports.size(); ++i) {
            if (viewports[i] == watched)
                ++paints[i];
        }
    }
    return QObject::eventFilter(watched, event);
}

void RunObserver::beat()
{
    const Clock::time_point now = Clock::now();
    const double gap = std::chrono::duration<double, std::milli>(now - lastBeat).count();
    if (gap > longestGap) {
        longestGap = gap;
        longestGapEnd = std::chrono::duration<double>(now - started).count();
    }
    lastBeat = now;
}

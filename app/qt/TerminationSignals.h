#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Closes the window when the program gets SIGTERM or SIGINT, as if the user
// had closed it: a running procedure stops at its next pause and the program
// ends normally. A second signal, once the first has been taken, ends the
// program at once the default way.
class TerminationSignals : public QObject
{
    Q_OBJECT

  public:
    explicit TerminationSignals(QWidget &window, QObject *parent = nullptr);
    ~TerminationSignals() override;

  private:
    void takeSignal();

    QWidget &window;
    QSocketNotifier *notifier = nullptr;
};

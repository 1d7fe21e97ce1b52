#pragma once

#include "ui/WindowServices.h"

#include <QObject>
#include <QPointer>
#include <QVector>

class GridView;
class QCheckBox;
class QInputDialog;
class QLineEdit;
class QWidget;

// The window services over Qt: the Delay check box, the text box, the size
// prompt and the event pump of the main window.
class QtWindowServices : public QObject, public WindowServices
{
    Q_OBJECT

  public:
    // `dialogParent` is the window the input box is modal over.
    QtWindowServices(QCheckBox &check1, QLineEdit &text1, QWidget &dialogParent,
                     QObject *parent = nullptr);

    int check1Value() const override;
    void setText1(std::string_view text) override;
    std::string inputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultAnswer) override;
    bool doEvents() override;

    // Grids whose changes are published before every turn of the pump.
    void addGrid(GridView *grid);
    void flushGrids();

    // The window is going away: the pump no longer turns, the running
    // procedure stops at its next pause, and an open input box is cancelled.
    void setClosing();
    bool isClosing() const { return pacer.isClosing(); }

  signals:
    // Emitted at every pause, before the pump turns.
    void pauseReached(qint64 pauseNumber);

  protected:
    bool pauseWhenDue() override;
    void connectNotify(const QMetaMethod &signal) override;

  private:
    void notePause();
    bool pump(bool repaint);

    QCheckBox &check1;
    QLineEdit &text1;
    QWidget &dialogParent;
    QVector<QPointer<GridView>> grids;
    QPointer<QInputDialog> openPrompt;
};

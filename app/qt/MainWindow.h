#pragma once

#include <QMargins>
#include <QWidget>

#include <memory>

class Form1;
class GridView;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QtWindowServices;

// The program's one window, Form1: three grids stacked one above the other
// and the row of buttons, the Delay box and the text box along the bottom.
// Its procedures live in Form1; the window only starts them.
//
// The controls sit on a client area of a fixed size. The window opens exactly
// as large as the client area, or, where the screen's available area is
// smaller, as large as fits in it with the window manager's frame; the user
// may make it smaller. Where the window is smaller than the client area, the
// client area scrolls, a control that takes the focus scrolling into view.
class MainWindow : public QWidget
{
    Q_OBJECT

  public:
    // A command started in a pause runs inside the interrupted one. At this
    // depth a new command is ignored, as a click on a busy control would be:
    // far more than a person ever nests, and far from the stack's limit (a
    // nested SOLVE takes about 2.4 KB of stack in the release build and
    // 8.4 KB in the sanitizer build: 200 of them under 2 MB of the usual 8).
    static constexpr int MaxRunDepth = 200;

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    Form1 &form();
    QtWindowServices &services();

    // How many procedures are running, one inside another's pause each.
    int runDepth() const { return depth; }

  protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

  private:
    // Starts one event procedure. Every click and key procedure goes through
    // here: nothing it throws may cross Qt's event delivery, and whatever it
    // changed in the grids is shown when it ends.
    template <class... Parameters, class... Arguments>
    void run(void (Form1::*procedure)(Parameters...), Arguments... arguments);

    void placeControls();
    void connectProcedures();
    // Sizes the window to the client area, or to the screen's available
    // area when that is smaller, and keeps its frame within that area.
    void fitToScreen();

    QScrollArea *scroller;
    QWidget *clientArea;
    GridView *msfmain0;
    GridView *msfmain;
    GridView *msfunit;
    QPushButton *cmdrun;
    QPushButton *cmddim;
    QPushButton *cmdclr;
    QPushButton *cmdpivot;
    QPushButton *cmdpidim;
    QCheckBox *Check1;
    QLineEdit *Text1;
    std::unique_ptr<QtWindowServices> windowServices;
    std::unique_ptr<Form1> procedures;
    int depth = 0;
    // The frame the window was last fitted with.
    QMargins fittedFrame;
};

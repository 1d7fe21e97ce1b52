#pragma once

#include <QWidget>

#include <memory>

class Form1;
class GridView;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QtWindowServices;

// The program's one window, Form1: three grids stacked one above the other
// and the row of buttons, the Delay box and the text box along the bottom.
// Its procedures live in Form1; the window only starts them.
class MainWindow : public QWidget
{
    Q_OBJECT

  public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    Form1 &form();
    QtWindowServices &services();

    // How many procedures are running, one inside another's pause each.
    int runDepth() const { return depth; }

  protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    // Starts one event procedure. Every click and key procedure goes through
    // here: nothing it throws may cross Qt's event delivery, and whatever it
    // changed in the grids is shown when it ends.
    template <class... Parameters, class... Arguments>
    void run(void (Form1::*procedure)(Parameters...), Arguments... arguments);

    void placeControls();
    void connectProcedures();

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
};

#include "MainWindow.h"

#include "Form1.h"
#include "Statement.h"
#include "ui/GridView.h"
#include "ui/QtWindowServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

const char *const Caption = " Quelvar V1.0.0      www.quelvar.example";

// The window's layout, in twips from the top-left corner of the client area.
constexpr int ClientWidth = 12225;
constexpr int ClientHeight = 10455;

struct Placement
{
    const char *name;
    int left, top, width, height;
};

constexpr Placement Placements[] = {
    {"msfmain0", 360, 120, 11295, 3200}, {"msfmain", 360, 3315, 11295, 3195},
    {"msfunit", 360, 6510, 11295, 3195}, {"cmdrun", 3945, 9960, 1095, 375},
    {"cmddim", 2610, 9960, 1215, 375},   {"cmdclr", 9240, 9960, 1095, 375},
    {"Check1", 240, 9960, 1095, 255},    {"cmdpivot", 7080, 9960, 1095, 375},
    {"cmdpidim", 5880, 9960, 1095, 375}, {"Text1", 1440, 9960, 975, 285},
};

// 1440 twips to the inch; at 96 dots per inch that is 15 twips to a pixel.
int pixelsFromTwips(int twips, qreal dotsPerInch)
{
    return qRound(twips * dotsPerInch / 1440.0);
}

qreal screenDotsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

} // namespace

template <class Procedure> void MainWindow::run(Procedure &&procedure)
{
    // Once the window is closing, no new procedure starts.
    if (windowServices->isClosing())
        return;

    ++depth;
    try {
        procedure();
    } catch (const RunAbandoned &) {
        // The window closed during one of the procedure's pauses.
    } catch (...) {
        // The procedures report nothing to the user; a failure that escapes
        // one ends that procedure and leaves the window as it stands.
    }
    --depth;
    windowServices->flushGrids();
}

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent), msfmain0(new GridView(this)), msfmain(new GridView(this)),
      msfunit(new GridView(this)), cmdrun(makeButton("cmdrun", tr("&SOLVE"))),
      cmddim(makeButton("cmddim", tr("&DIMENSION"))), cmdclr(makeButton("cmdclr", tr("&CLEAR"))),
      cmdpivot(makeButton("cmdpivot", tr("&PIVOT"))),
      cmdpidim(makeButton("cmdpidim", tr("PIVOT DI&M"))),
      Check1(new QCheckBox(QStringLiteral(" Delay"), this)), Text1(new QLineEdit(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(Caption));
    msfmain0->setObjectName(QStringLiteral("msfmain0"));
    msfmain->setObjectName(QStringLiteral("msfmain"));
    msfunit->setObjectName(QStringLiteral("msfunit"));
    Check1->setObjectName(QStringLiteral("Check1"));
    Text1->setObjectName(QStringLiteral("Text1"));

    // The pivot procedure's buttons are there, with their procedures, but
    // nothing ever shows them, so their accelerators stay inert too.
    cmdpivot->setVisible(false);
    cmdpidim->setVisible(false);

    placeControls();
    arrangeTabOrder();

    windowServices = std::make_unique<QtWindowServices>(*Check1, *Text1, *this);
    for (GridView *grid : {msfmain0, msfmain, msfunit})
        windowServices->addGrid(grid);
    procedures = std::make_unique<Form1>(msfmain0->cells(), msfmain->cells(), msfunit->cells(),
                                         *windowServices);
    connectProcedures();

    // Quitting the application closes the window like its close button.
    qApp->installEventFilter(this);

    run([this] { procedures->Form_Load(); });
    msfmain0->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() = default;

Form1 &MainWindow::form()
{
    return *procedures;
}

QtWindowServices &MainWindow::services()
{
    return *windowServices;
}

QPushButton *MainWindow::makeButton(const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

void MainWindow::placeControls()
{
    const qreal dpi = screenDotsPerInch();
    setFixedSize(pixelsFromTwips(ClientWidth, dpi), pixelsFromTwips(ClientHeight, dpi));
    for (const Placement &place : Placements) {
        auto *control =
            findChild<QWidget *>(QString::fromLatin1(place.name), Qt::FindDirectChildrenOnly);
        Q_ASSERT(control);
        control->setGeometry(pixelsFromTwips(place.left, dpi), pixelsFromTwips(place.top, dpi),
                             pixelsFromTwips(place.width, dpi), pixelsFromTwips(place.height, dpi));
    }
}

void MainWindow::arrangeTabOrder()
{
    const QList<QWidget *> tabOrder = {msfmain0, msfmain, msfunit,  cmdrun,   cmddim,
                                       cmdclr,   Check1,  cmdpivot, cmdpidim, Text1};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void MainWindow::connectProcedures()
{
    connect(cmdrun, &QPushButton::clicked, this,
            [this] { run([this] { procedures->cmdrun_Click(); }); });
    connect(cmddim, &QPushButton::clicked, this,
            [this] { run([this] { procedures->cmddim_Click(); }); });
    connect(cmdclr, &QPushButton::clicked, this,
            [this] { run([this] { procedures->cmdclr_Click(); }); });
    connect(cmdpivot, &QPushButton::clicked, this,
            [this] { run([this] { procedures->cmdpivot_Click(); }); });
    connect(cmdpidim, &QPushButton::clicked, this,
            [this] { run([this] { procedures->cmdpidim_Click(); }); });
    msfmain0->cells().setKeyPressHandler([this](char16_t keyAscii) {
        run([this, keyAscii] { procedures->msfmain0_KeyPress(keyAscii); });
    });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A running procedure stops at its next pause; the program ends when the
    // outermost one has unwound back to the event loop.
    windowServices->setClosing();
    event->accept();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Quit && watched == qApp) {
        windowServices->setClosing();
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

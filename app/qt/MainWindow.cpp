#include "MainWindow.h"

#include "ClientAreaAccessible.h"
#include "app/Form1.h"
#include "app/values/Statement.h"
#include "ui/qt/GridView.h"
#include "ui/qt/QtWindowServices.h"
#include "ui/qt/Twips.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

namespace {

const char *const Caption = " Quelvar V1.0.0      www.quelvar.example";

// The size of the client area, in twips.
constexpr int ClientWidth = 12225;
constexpr int ClientHeight = 10455;

// Logical pixels kept free in each direction at a fractional scale.
constexpr int FractionalScaleSpare = 2;

qreal screenDotsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

// The program's icon from the desktop's icon theme, where the program is
// installed; the picture built into the program elsewhere.
const char *const IconName = "quelvar";
const char *const BuiltInIcon = ":/icons/quelvar-64.png";

} // namespace

template <class... Parameters, class... Arguments>
void MainWindow::run(void (Form1::*procedure)(Parameters...), Arguments... arguments)
{
    // Once the window is closing, no new procedure starts; nor does one
    // while the runs are nested as deep as they may be.
    if (windowServices->isClosing() || depth >= MaxRunDepth)
        return;

    ++depth;
    try {
        (procedures.get()->*procedure)(arguments...);
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
    : QWidget(parent), scroller(new QScrollArea(this)), clientArea(new QWidget),
      msfmain0(new GridView(clientArea)), msfmain(new GridView(clientArea)),
      msfunit(new GridView(clientArea)), cmdrun(new QPushButton(tr("&SOLVE"), clientArea)),
      cmddim(new QPushButton(tr("&DIMENSION"), clientArea)),
      cmdclr(new QPushButton(tr("&CLEAR"), clientArea)),
      cmdpivot(new QPushButton(tr("&PIVOT"), clientArea)),
      cmdpidim(new QPushButton(tr("PIVOT DI&M"), clientArea)),
      Check1(new QCheckBox(QStringLiteral(" Delay"), clientArea)), Text1(new QLineEdit(clientArea))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(Caption));
    setWindowIcon(
        QIcon::fromTheme(QString::fromLatin1(IconName), QIcon(QString::fromLatin1(BuiltInIcon))));
    scroller->setWidget(clientArea);
    scroller->setFrameShape(QFrame::NoFrame);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroller);

    // The pivot procedure's buttons are there, with their procedures, but
    // nothing ever shows them, so their accelerators stay inert too, and
    // assistive technology is not offered them either.
    cmdpivot->setVisible(false);
    cmdpidim->setVisible(false);
    QAccessible::registerAccessibleInterface(new ClientAreaAccessible(clientArea));
    // Enter presses a button that has the focus, as Space does.
    for (QPushButton *button : {cmdrun, cmddim, cmdclr, cmdpivot, cmdpidim})
        button->setAutoDefault(true);
    msfmain0->setAccessibleName(tr("Input, A and b"));
    msfmain->setAccessibleName(tr("Working matrix"));
    msfunit->setAccessibleName(tr("Inverse and solution"));
    Text1->setAccessibleName(tr("Objective"));
    Text1->setAccessibleDescription(tr("The objective value of the last pivot step"));

    placeControls();
    fitToScreen();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        // The whole control, not only its text cursor or current cell.
        if (now && clientArea->isAncestorOf(now)) {
            const QRect area(now->mapTo(clientArea, QPoint()), now->size());
            scroller->ensureVisible(area.center().x(), area.center().y(), area.width() / 2 + 1,
                                    area.height() / 2 + 1);
        }
    });

    windowServices = std::make_unique<QtWindowServices>(*Check1, *Text1, *this);
    for (GridView *grid : {msfmain0, msfmain, msfunit})
        windowServices->addGrid(grid);
    procedures = std::make_unique<Form1>(msfmain0->cells(), msfmain->cells(), msfunit->cells(),
                                         *windowServices);
    connectProcedures();

    // Quitting the application closes the window like its close button.
    qApp->installEventFilter(this);

    run(&Form1::Form_Load);
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

// Every control by its name and its place in twips from the top-left corner
// of the client area, in the order of the tab key.
void MainWindow::placeControls()
{
    const struct
    {
        QWidget *control;
        const char *name;
        QRect twips;
    } controls[] = {
        {msfmain0, "msfmain0", {360, 120, 11295, 3200}},
        {msfmain, "msfmain", {360, 3315, 11295, 3195}},
        {msfunit, "msfunit", {360, 6510, 11295, 3195}},
        {cmdrun, "cmdrun", {3945, 9960, 1095, 375}},
        {cmddim, "cmddim", {2610, 9960, 1215, 375}},
        {cmdclr, "cmdclr", {9240, 9960, 1095, 375}},
        {Check1, "Check1", {240, 9960, 1095, 255}},
        {cmdpivot, "cmdpivot", {7080, 9960, 1095, 375}},
        {cmdpidim, "cmdpidim", {5880, 9960, 1095, 375}},
        {Text1, "Text1", {1440, 9960, 975, 285}},
    };
    const qreal dpi = screenDotsPerInch();
    const auto pixels = [dpi](int twips) { return pixelsFromTwips(twips, dpi); };
    clientArea->setFixedSize(pixels(ClientWidth), pixels(ClientHeight));
    QWidget *previous = nullptr;
    for (const auto &[control, name, twips] : controls) {
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(pixels(twips.x()), pixels(twips.y()), pixels(twips.width()),
                             pixels(twips.height()));
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void MainWindow::fitToScreen()
{
    const QSize client = clientArea->size();
    // A scroll bar in one direction takes room from the other. The window
    // can be made smaller, down to what its layout needs, but not larger
    // than the client area with both bars.
    const int bar = scroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroller);
    setMaximumSize(client + QSize(bar, bar));
    const QScreen *screen = this->screen();
    if (!screen) {
        resize(client);
        return;
    }
    // The window manager's frame, once the window has one, takes room too.
    fittedFrame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QRect available = screen->availableGeometry();
    QSize room = available.size().shrunkBy(fittedFrame);
    // At a fractional scale the frame's sides and the screen are whole
    // logical pixels, each rounded by up to half of one: two spare keep the
    // frame on the screen.
    const qreal scale = windowHandle() ? windowHandle()->devicePixelRatio() : 1.0;
    if (scale != std::floor(scale))
        room -= QSize(FractionalScaleSpare, FractionalScaleSpare);
    bool scrollsDown = client.height() > room.height();
    const bool scrollsAcross = client.width() + (scrollsDown ? bar : 0) > room.width();
    scrollsDown = scrollsDown || client.height() + (scrollsAcross ? bar : 0) > room.height();
    const QSize fitted(std::min(room.width(), client.width() + (scrollsDown ? bar : 0)),
                       std::min(room.height(), client.height() + (scrollsAcross ? bar : 0)));
    resize(fitted);
    if (!isVisible())
        return;
    // The frame, its title bar included, within the available area.
    const QSize outer = fitted.grownBy(fittedFrame);
    const QPoint at(std::clamp(x(), available.left(),
                               std::max(available.left(), available.right() + 1 - outer.width())),
                    std::clamp(y(), available.top(),
                               std::max(available.top(), available.bottom() + 1 - outer.height())));
    if (at != pos())
        move(at);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Now the window has its screen and, with some window managers, its frame.
    fitToScreen();
    connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::fitToScreen,
            Qt::UniqueConnection);
}

// On X11 the window manager frames the window only after it is shown, and
// the window then moves into its frame: it is fitted again, frame included.
void MainWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (windowHandle() && windowHandle()->frameMargins() != fittedFrame)
        fitToScreen();
}

void MainWindow::connectProcedures()
{
    connect(cmdrun, &QPushButton::clicked, this, [this] { run(&Form1::cmdrun_Click); });
    connect(cmddim, &QPushButton::clicked, this, [this] { run(&Form1::cmddim_Click); });
    connect(cmdclr, &QPushButton::clicked, this, [this] { run(&Form1::cmdclr_Click); });
    connect(cmdpivot, &QPushButton::clicked, this, [this] { run(&Form1::cmdpivot_Click); });
    connect(cmdpidim, &QPushButton::clicked, this, [this] { run(&Form1::cmdpidim_Click); });
    connect(msfmain0, &GridView::keyPress, this,
            [this](char16_t keyAscii) { run(&Form1::msfmain0_KeyPress, keyAscii); });
    connect(msfmain0, &GridView::pasteText, this, [this](const QString &text) {
        const std::string clipboardText = text.toStdString();
        run(&Form1::msfmain0_Paste, std::string_view(clipboardText));
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

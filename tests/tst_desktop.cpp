// The window on a real X server under a window manager, as
// tests/xvfb/xvfb_test.py desktop starts this test: the window with its frame
// lies on the screen, every button is reached with Tab and is then whole on
// the screen, and a screen reader on a cell hears each change of its text.

#include "TestWindow.h"

#include <QAccessible>
#include <QScreen>
#include <QtTest>

class DesktopTest : public QObject
{
    Q_OBJECT

    // What the accessibility bridge is told while the test listens: per event
    // its type, its widget and the name of what it is about.
    static inline QStringList heard;
    static void hear(QAccessibleEvent *event)
    {
        QAccessibleInterface *about = event->accessibleInterface();
        heard << QString("%1 %2 %3")
                     .arg(event->type())
                     .arg(event->object() ? event->object()->objectName() : QString())
                     .arg(about ? about->text(QAccessible::Name) : QString());
    }

  private slots:
    void buttonsOnScreen()
    {
        TestWindow w;
        QTRY_VERIFY(w.window.windowHandle()->frameMargins().top() > 0); // framed
        const QRect available = w.window.screen()->availableGeometry();
        QTRY_VERIFY(available.contains(w.window.frameGeometry()));
        for (const QString name : {"cmdrun", "cmddim", "cmdclr"}) {
            for (int tab = 0; tab < 10 && QApplication::focusWidget()->objectName() != name; ++tab)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *button = w.find(name);
            QCOMPARE(QApplication::focusWidget(), button);
            const QRect shown(button->mapToGlobal(QPoint()), button->size());
            QTRY_VERIFY2(available.contains(shown) &&
                             button->visibleRegion().boundingRect() == button->rect(),
                         qPrintable(name));
        }
    }

    // Typing into the current cell, and CLEAR emptying it, rename the cell
    // the reader is on.
    void readerHearsTheCurrentCell()
    {
        QTRY_VERIFY2(QAccessible::isActive(), "no accessibility bus");
        TestWindow w;
        QAccessible::installUpdateHandler(hear);
        w.type("5");
        w.type("7");
        w.pressAccelerator('c');
        QAccessible::installUpdateHandler(nullptr);
        const QString renamed = QString::number(QAccessible::NameChanged) + " msfmain0 ";
        QCOMPARE(heard.filter(renamed), QStringList({renamed + "5", renamed + "57", renamed}));
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"

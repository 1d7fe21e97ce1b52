#include "ClientAreaAccessible.h"

#include <QWidget>

ClientAreaAccessible::ClientAreaAccessible(QWidget *clientArea)
    : QAccessibleWidget(clientArea, QAccessible::Client)
{}

QWidgetList ClientAreaAccessible::shownControls() const
{
    QWidgetList shown;
    for (QObject *child : widget()->children()) {
        auto *control = qobject_cast<QWidget *>(child);
        if (control && !control->isWindow() && !control->isHidden())
            shown.append(control);
    }
    return shown;
}

int ClientAreaAccessible::childCount() const
{
    return int(shownControls().size());
}

QAccessibleInterface *ClientAreaAccessible::child(int index) const
{
    const QWidgetList shown = shownControls();
    if (index < 0 || index >= shown.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(shown[index]);
}

int ClientAreaAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    return int(shownControls().indexOf(qobject_cast<QWidget *>(child->object())));
}

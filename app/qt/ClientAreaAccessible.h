#pragma once

#include <QAccessibleWidget>

// What assistive technology sees of the window's client area: the controls
// on show. A control the window keeps hidden is not offered at all, so a
// screen reader lists no button that cannot be seen or pressed.
class ClientAreaAccessible : public QAccessibleWidget
{
  public:
    explicit ClientAreaAccessible(QWidget *clientArea);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

  private:
    QWidgetList shownControls() const;
};

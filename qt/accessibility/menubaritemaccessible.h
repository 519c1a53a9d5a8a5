#pragma once

#include <QAccessibleObject>

class QAction;
class QMenuBar;

// An item of the menu bar as a screen reader finds it, where Qt's own
// interface would say the wrong thing: its place, its parent the menu bar, no
// children. What it is and is called the subclass says.
class MenuBarItemAccessible : public QAccessibleObject
{
public:
    explicit MenuBarItemAccessible(QAction *action);

    QAccessibleInterface *parent() const override;
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QRect rect() const override;

protected:
    QAction *action() const;
    // The menu bar that shows the item; none once it is gone.
    QMenuBar *bar() const;
    // The id the layer gave the item.
    int id() const;
};
